#include "orkestra/cerceve.h"

#include <gtest/gtest.h>

#include <string>

#include "orkestra/kodlama.h"

namespace vadu::surecproto {
namespace {

SurecCerceve isaretli() {
  SurecCerceve c;
  c.tip = static_cast<SurecMesajTip>(0xBEEF);
  c.kaynakPid = 0xFFFFFFFF;
  c.hedefPid = 3;
  c.korelasyon = ~0ull;
  c.govde = "eski";
  return c;
}

TEST(Cerceve, HeaderLayoutIsFixed) {
  SurecCerceve c;
  c.tip = SurecMesajTip::Sonuc;
  c.kaynakPid = 0x01020304;
  c.hedefPid = 0x05060708;
  c.korelasyon = 0x1112131415161718ull;
  c.govde = std::string("\0z", 2);
  const std::string beklenen = std::string(
      "VDPC\x01\x00\x08\x00\x04\x03\x02\x01\x08\x07\x06\x05"
      "\x18\x17\x16\x15\x14\x13\x12\x11\x02\x00\x00\x00\x00z",
      30);
  EXPECT_EQ(cerceveSerialize(c), beklenen);
}

TEST(Cerceve, AnyKindAndBodyBytesRoundTrip) {
  SurecCerceve c = isaretli();
  c.govde = std::string("\0\t\nVDPC\xFF", 8);
  const std::string w = cerceveSerialize(c);
  SurecCerceve d;
  ASSERT_TRUE(cerceveDeserialize(w.data(), w.size(), d));
  EXPECT_TRUE(c == d);
}

TEST(Cerceve, MagicLedBufferShorterThanTheHeaderIsRefusedUntouched) {
  const std::string w = cerceveSerialize(SurecCerceve{});
  for (size_t n = 4; n < CERCEVE_BASLIGI; ++n) {
    SCOPED_TRACE(n);
    SurecCerceve d = isaretli();
    EXPECT_FALSE(cerceveDeserialize(w.data(), n, d));
    EXPECT_TRUE(d == isaretli());
  }
}

TEST(Cerceve, ShortBodyIsTakenAsFarAsItGoesAndTrailingBytesIgnored) {
  SurecCerceve c;
  c.govde = "abcdef";
  const std::string w = cerceveSerialize(c);
  struct Durum {
    std::string girdi;
    std::string govde;
  };
  const Durum durumlar[] = {
      {w.substr(0, 28), ""},
      {w.substr(0, 31), "abc"},
      {w, "abcdef"},
      {w + "fazla" + w, "abcdef"},
  };
  for (const Durum& d : durumlar) {
    SurecCerceve out;
    ASSERT_TRUE(cerceveDeserialize(d.girdi.data(), d.girdi.size(), out));
    EXPECT_EQ(out.govde, d.govde);
  }
}

TEST(Cerceve, VersionFieldIsNotLookedAt) {
  SurecCerceve c = isaretli();
  std::string w = cerceveSerialize(c);
  w[4] = 7;
  w[5] = 9;
  SurecCerceve d;
  ASSERT_TRUE(cerceveDeserialize(w.data(), w.size(), d));
  EXPECT_TRUE(c == d);
}

TEST(Cerceve, LegacyTextForm) {
  struct Durum {
    std::string girdi;
    std::string govde;
  };
  const Durum durumlar[] = {
      {"komut\tYeni Belge", "Yeni Belge"},
      {"Kutu", "Kutu"},
      {"a\tb\tc", "b\tc"},
      {"son\t", ""},
      {"\t", ""},
      {"", ""},
      {"VDP", "VDP"},
      {std::string("x\0y", 3), std::string("x\0y", 3)},
  };
  for (const Durum& d : durumlar) {
    SCOPED_TRACE(d.girdi);
    SurecCerceve out = isaretli();
    ASSERT_TRUE(cerceveDeserialize(d.girdi.data(), d.girdi.size(), out));
    SurecCerceve beklenen;  // Komut, no process numbers, no correlation
    beklenen.govde = d.govde;
    EXPECT_TRUE(out == beklenen);
  }
}

TEST(Cerceve, TextThatBeginsWithTheMagicIsABinaryFrame) {
  const std::string metin = "VDPC\tbu bir metin ama ikili sayilir";
  SurecCerceve d;
  ASSERT_TRUE(cerceveDeserialize(metin.data(), metin.size(), d));
  EXPECT_EQ(leOkuU16(baytlar(metin.data()) + 6), static_cast<uint16_t>(d.tip));
  EXPECT_EQ(cerceveDeserialize(metin.data(), 10, d), false);
}

}  // namespace
}  // namespace vadu::surecproto
