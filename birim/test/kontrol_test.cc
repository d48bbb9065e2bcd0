// Runs the harness's sample programs and reads their report and exit status.
#include <gtest/gtest.h>

#include <string>

#include "birim/test/ornek_calistir.h"

namespace {

using vadu::test::Calisma;

using vadu::test::ornekCalistir;

TEST(Kontrol, FailuresPrintTheirTextThenTheStatusLineInDefinitionOrder) {
  const Calisma c = ornekCalistir(VADU_ORNEK_KARISIK);
  const std::string dosya = "birim/test/ornek_karisik.cc";
  const size_t yer = c.cikti.find(dosya);
  ASSERT_NE(yer, std::string::npos) << c.cikti;
  // The path is whatever the compiler records; take it from the first line.
  const size_t bas = c.cikti.find(" (") + 2;
  const std::string yol = c.cikti.substr(bas, yer + dosya.size() - bas);
  const std::string beklenen = "  BASARISIZ: s == \"a\\\\nb\" (" + yol +
                               ":9)\n"
                               "  BASARISIZ: 1 + 1 == 3 (" +
                               yol +
                               ":14)\n"
                               "[KALDI] z_once (5 kontrol)\n"
                               "[GECTI] a_bos (0 kontrol)\n"
                               "[GECTI] m_gecen (3 kontrol)\n"
                               "\nToplam: 6 gecti, 2 kaldi\n";
  EXPECT_EQ(c.cikti, beklenen);
  EXPECT_TRUE(c.normalBitti);
  EXPECT_EQ(c.durum, 1);
}

TEST(Kontrol, NoCheckPrintsOnlyTheTotals) {
  const Calisma c = ornekCalistir(VADU_ORNEK_BOS);
  EXPECT_EQ(c.cikti, "\nToplam: 0 gecti, 0 kaldi\n");
  EXPECT_TRUE(c.normalBitti);
  EXPECT_EQ(c.durum, 0);
}

TEST(Kontrol, AnEscapingExceptionEndsTheRunWithoutTotals) {
  const Calisma c = ornekCalistir(VADU_ORNEK_ISTISNA);
  EXPECT_EQ(c.cikti, "[GECTI] once_gecen (1 kontrol)\n");
  EXPECT_FALSE(c.normalBitti && (c.durum == 0 || c.durum == 1));
}

TEST(Kontrol, ChecksRunInSourceOrderThenDefinitionOrder) {
  const Calisma c = ornekCalistir(VADU_ORNEK_SIRA);
  EXPECT_EQ(c.cikti,
            "[GECTI] z_bir_ilk (1 kontrol)\n"
            "[GECTI] c_bir_ikinci (1 kontrol)\n"
            "[GECTI] a_iki (1 kontrol)\n"
            "[GECTI] m_uc_ilk (1 kontrol)\n"
            "[GECTI] b_uc_ikinci (1 kontrol)\n"
            "\nToplam: 5 gecti, 0 kaldi\n");
  EXPECT_TRUE(c.normalBitti);
  EXPECT_EQ(c.durum, 0);
}

}  // namespace
