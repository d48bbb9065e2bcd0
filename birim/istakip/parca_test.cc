#include "istakip/parca.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orkestra/kodlama.h"

namespace vadu::istakip {
namespace {

std::string icerik(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + i / 7) & 0xFF);
  return s;
}

TEST(Parca, IcerikOzeti) {
  EXPECT_EQ(icerikOzeti(""), 1469598103934665603ull);
  EXPECT_EQ(icerikOzeti("a"), 4953267810257967366ull);
  EXPECT_EQ(icerikOzeti("abc"), 16242233503745875709ull);
}

struct Kesim {
  size_t boy;
  uint64_t parcaBoyu;
  std::vector<size_t> parcalar;
};

class Parcala : public testing::TestWithParam<Kesim> {};

TEST_P(Parcala, Boylar) {
  const Kesim& k = GetParam();
  const std::string s = icerik(k.boy);
  const std::vector<Parca> p = parcala(7, s, k.parcaBoyu);
  ASSERT_EQ(p.size(), k.parcalar.size());
  std::string birlesik;
  for (size_t i = 0; i < p.size(); ++i) {
    EXPECT_EQ(p[i].aktarimNo, 7u);
    EXPECT_EQ(p[i].sira, i);
    EXPECT_EQ(p[i].adet, p.size());
    EXPECT_EQ(p[i].ozet, icerikOzeti(s));
    EXPECT_EQ(p[i].veri.size(), k.parcalar[i]);
    birlesik += p[i].veri;
  }
  EXPECT_EQ(birlesik, s);
}

INSTANTIATE_TEST_SUITE_P(Parca, Parcala,
                         testing::Values(Kesim{600000, 262144, {262144, 262144, 75712}},
                                         Kesim{10, 3, {3, 3, 3, 1}}, Kesim{10, 0, {10}},
                                         Kesim{10, 11, {10}}, Kesim{10, 10, {10}},
                                         Kesim{0, 262144, {0}}, Kesim{0, 0, {0}}));

TEST(Parca, BosIcerikTekBasinaTamamlar) {
  const std::vector<Parca> p = parcala(1, "", 5);
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(p[0].ozet, 1469598103934665603ull);
  ParcaBirlestirme d;
  EXPECT_EQ(parcaEkle(d, p[0]), 1);
  EXPECT_EQ(d.icerik(), "");
}

class Birlestirme : public testing::Test {
 protected:
  const std::string s = icerik(10);
  const std::vector<Parca> p = parcala(3, s, 4);  // pieces of 4, 4 and 2 bytes
  ParcaBirlestirme d;
};

TEST_F(Birlestirme, KarisikSiraVeTekrar) {
  EXPECT_EQ(parcaEkle(d, p[2]), 0);
  EXPECT_EQ(parcaEkle(d, p[0]), 0);
  EXPECT_EQ(parcaEkle(d, p[0]), 0);  // a duplicate changes nothing
  EXPECT_EQ(d.gelen, 2u);
  EXPECT_EQ(parcaEkle(d, p[1]), 1);
  EXPECT_EQ(d.icerik(), s);
  EXPECT_EQ(parcaEkle(d, p[1]), 0);  // complete: the state is not reset
  EXPECT_EQ(d.icerik(), s);
}

TEST_F(Birlestirme, BozukParca) {
  Parca bozuk = p[1];
  bozuk.veri[0] ^= 1;
  EXPECT_EQ(parcaEkle(d, p[0]), 0);
  EXPECT_EQ(parcaEkle(d, bozuk), 0);
  EXPECT_EQ(parcaEkle(d, p[2]), 2);
}

TEST_F(Birlestirme, YabanciParcalarReddedilir) {
  ASSERT_EQ(parcaEkle(d, p[0]), 0);
  Parca baska = p[1];
  baska.aktarimNo = 4;
  Parca adet = p[1];
  adet.adet = 4;
  Parca disari = p[1];
  disari.sira = 3;
  for (const Parca& x : {baska, adet, disari}) EXPECT_EQ(parcaEkle(d, x), 0);
  EXPECT_EQ(d.gelen, 1u);
  EXPECT_EQ(parcaEkle(d, p[1]), 0);
  EXPECT_EQ(parcaEkle(d, p[2]), 1);
  EXPECT_EQ(d.icerik(), s);
}

// The count comes from the sender. A fresh state must not size anything by
// it: a piece claiming 2^32 - 1 pieces costs only the piece itself.
TEST(Parca, DusmancaAdetBellegiTuketmez) {
  Parca p;
  p.aktarimNo = 1;
  p.adet = 0xFFFFFFFFu;
  p.sira = 0xFFFFFFFEu;
  p.ozet = 5;
  p.veri = "x";
  ParcaBirlestirme d;
  EXPECT_EQ(parcaEkle(d, p), 0);
  EXPECT_EQ(d.adet, 0xFFFFFFFFu);
  EXPECT_EQ(d.parcalar.size(), 1u);
  p.sira = 0;
  EXPECT_EQ(parcaEkle(d, p), 0);
  EXPECT_EQ(d.parcalar.size(), 2u);
  EXPECT_EQ(d.gelen, 2u);
}

TEST(ParcaCercevesi, KodlaCoz) {
  const Parca p{9, 2, 3, 0x1122334455667788ull, std::string("ve\0ri", 5)};
  const std::string b = parcaKodla(p);
  ASSERT_EQ(b.size(), PARCA_BASLIGI + 5);
  EXPECT_EQ(leOkuU16(baytlar(b.data())), 1u);
  Parca c;
  ASSERT_TRUE(parcaCoz(b, c));
  EXPECT_EQ(c.aktarimNo, 9u);
  EXPECT_EQ(c.sira, 2u);
  EXPECT_EQ(c.adet, 3u);
  EXPECT_EQ(c.ozet, p.ozet);
  EXPECT_EQ(c.veri, p.veri);
}

// Each case alters the frame of piece {9, 2 of 3, "veri"} and says whether it
// must still read.
struct Degisiklik {
  const char* ad;
  void (*degistir)(std::string&);
  bool okunur;
};

class ParcaCozum : public testing::TestWithParam<Degisiklik> {};

TEST_P(ParcaCozum, Kabul) {
  std::string b = parcaKodla(Parca{9, 2, 3, 77, "veri"});
  GetParam().degistir(b);
  Parca c;
  EXPECT_EQ(parcaCoz(b, c), GetParam().okunur);
  if (GetParam().okunur) {
    EXPECT_EQ(c.veri, "veri");
  }
}

void u32Yaz(std::string& b, size_t yer, uint32_t v) {
  std::string s;
  leYazU32(s, v);
  b.replace(yer, 4, s);
}

INSTANTIATE_TEST_SUITE_P(
    ParcaCercevesi, ParcaCozum,
    testing::Values(
        Degisiklik{"degismemis", [](std::string&) {}, true},
        Degisiklik{"baslik_29_bayt", [](std::string& b) { b.resize(29); }, false},
        Degisiklik{"veri_kesik", [](std::string& b) { b.pop_back(); }, false},
        Degisiklik{"uzunluk_sondan_tasar", [](std::string& b) { u32Yaz(b, 26, 0xFFFFFFFFu); },
                   false},
        Degisiklik{"sira_adete_esit", [](std::string& b) { u32Yaz(b, 10, 3); }, false},
        Degisiklik{"adet_sifir", [](std::string& b) { u32Yaz(b, 14, 0); }, false},
        Degisiklik{"aktarim_sifir", [](std::string& b) { b.replace(2, 8, 8, '\0'); }, false},
        Degisiklik{"fazladan_bayt", [](std::string& b) { b += "artik"; }, true},
        Degisiklik{"etiket_1_degil", [](std::string& b) { b[0] = 7; }, true}),
    [](const testing::TestParamInfo<Degisiklik>& i) { return std::string(i.param.ad); });

}  // namespace
}  // namespace vadu::istakip
