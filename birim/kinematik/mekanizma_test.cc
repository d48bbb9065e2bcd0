#include "kinematik/mekanizma.h"

#include <gtest/gtest.h>

#include <string>

namespace vadu {
namespace {

Mafsal mafsal(MafsalTip tip, size_t ana, size_t cocuk) {
  Mafsal m;
  m.tip = tip;
  m.ana = ana;
  m.cocuk = cocuk;
  return m;
}

TEST(Mekanizma, TipAdlariVeSerbestlikleri) {
  struct Satir {
    int deger;
    const char* ad;
    int serbestlik;
  };
  const Satir satirlar[] = {
      {0, "Sabit", 0},      {1, "D\xC3\xB6ner", 1},         {2, "Kayar", 1},
      {3, "Silindirik", 2}, {4, "Vida", 1},                 {5, "K\xC3\xBC" "resel", 3},
      {6, "D\xC3\xBC" "zlemsel", 3}, {7, "Serbest", 6},     {8, "?", 0},
      {255, "?", 0},
  };
  for (const Satir& s : satirlar) {
    const MafsalTip t = static_cast<MafsalTip>(s.deger);
    EXPECT_EQ(std::string(mafsalTipAdi(t)), s.ad) << s.deger;
    EXPECT_EQ(mafsalSerbestlik(t), s.serbestlik) << s.deger;
  }
}

TEST(Mekanizma, Varsayilanlar) {
  const Mafsal m;
  EXPECT_TRUE(m.ad.empty());
  EXPECT_EQ(m.tip, MafsalTip::Doner);
  EXPECT_EQ(m.ana, 0u);
  EXPECT_EQ(m.cocuk, 0u);
  EXPECT_EQ(m.vidaAdim, 1.0);
  EXPECT_FALSE(m.sinirVar());
  EXPECT_EQ(m.sinirliQ(7.0), 7.0);
  const Yasa y;
  EXPECT_EQ(y.tip, YasaTip::Sabit);
  EXPECT_EQ(y.degisken, 0);
  EXPECT_EQ(y.periyot, 1.0);
  EXPECT_TRUE(y.anahtarlar.empty());
  const Mekanizma mek;
  EXPECT_TRUE(mek.uzuvlar().empty());
  EXPECT_TRUE(mek.mafsallar().empty());
  EXPECT_TRUE(mek.yasalar().empty());
}

TEST(Mekanizma, Sinirlar) {
  Mafsal m;
  m.sinirAlt = -1.5;
  m.sinirUst = 1.5;
  EXPECT_TRUE(m.sinirVar());
  EXPECT_EQ(m.sinirliQ(2.0), 1.5);
  EXPECT_EQ(m.sinirliQ(-2.0), -1.5);
  EXPECT_EQ(m.sinirliQ(0.75), 0.75);
  m.sinirAlt = m.sinirUst = 0.25;
  EXPECT_TRUE(m.sinirVar());
  EXPECT_EQ(m.sinirliQ(-9.0), 0.25);
  EXPECT_EQ(m.sinirliQ(9.0), 0.25);
}

TEST(Mekanizma, EklemeSirayiVerir) {
  Mekanizma mek;
  Donusum t;
  t.konum = {1, 2, 3};
  EXPECT_EQ(mek.uzuvEkle("G\xC3\xB6vde", 0, Donusum()), 0u);
  EXPECT_EQ(mek.uzuvEkle("Kol", 101, t), 1u);
  EXPECT_EQ(mek.uzuvlar()[1].ad, "Kol");
  EXPECT_EQ(mek.uzuvlar()[1].sahne, 101u);
  EXPECT_EQ(mek.uzuvlar()[1].taban.konum.z, 3.0);
  // Indices are not checked when added.
  Mafsal m = mafsal(MafsalTip::Vida, 0, 99);
  m.ad = "M";
  EXPECT_EQ(mek.mafsalEkle(m), 0u);
  EXPECT_EQ(mek.mafsalEkle(mafsal(MafsalTip::Doner, 0, 1)), 1u);
  EXPECT_EQ(mek.mafsallar()[0].cocuk, 99u);
  EXPECT_EQ(mek.mafsallar()[0].ad, "M");
  Yasa y;
  y.anahtarlar = {{0, 1}, {2, 3}};
  EXPECT_EQ(mek.yasaEkle(y), 0u);
  EXPECT_EQ(mek.yasalar()[0].anahtarlar.size(), 2u);
  // The mechanism moves as a whole.
  Mekanizma tasinan = std::move(mek);
  EXPECT_EQ(tasinan.uzuvlar().size(), 2u);
  EXPECT_EQ(tasinan.mafsallar().size(), 2u);
  mek = Mekanizma();
  EXPECT_TRUE(mek.uzuvlar().empty());
}

// One mechanism per case: its degrees of freedom and whether it is a tree.
TEST(Mekanizma, SerbestlikVeAgac) {
  struct Satir {
    const char* ad;
    size_t uzuvSayisi;
    std::vector<Mafsal> mafsallar;
    int serbestlik;
    bool agac;
  };
  const Satir satirlar[] = {
      {"bos", 0, {}, 0, false},
      {"tek uzuv", 1, {}, 0, true},
      {"doner ve vida", 3, {mafsal(MafsalTip::Doner, 0, 1), mafsal(MafsalTip::Vida, 1, 2)}, 2,
       true},
      {"cocuk once", 3, {mafsal(MafsalTip::Vida, 1, 2), mafsal(MafsalTip::Doner, 0, 1)}, 2, true},
      {"halka", 4,
       {mafsal(MafsalTip::Doner, 0, 1), mafsal(MafsalTip::Doner, 1, 2),
        mafsal(MafsalTip::Doner, 2, 3), mafsal(MafsalTip::Doner, 3, 0)},
       -2, false},
      {"iki ana", 3, {mafsal(MafsalTip::Doner, 0, 1), mafsal(MafsalTip::Doner, 0, 1)}, 2,
       false},
      {"aralik disi", 2, {mafsal(MafsalTip::Serbest, 0, 5)}, 6, false},
      {"kendine", 2, {mafsal(MafsalTip::Doner, 0, 1), mafsal(MafsalTip::Sabit, 1, 1)}, -6 + 1,
       false},
      {"ulasilmayan", 3, {mafsal(MafsalTip::Doner, 1, 2)}, 6 + 1, false},
      {"bilinmeyen tip", 2, {mafsal(static_cast<MafsalTip>(9), 0, 1)}, 0, true},
  };
  for (const Satir& s : satirlar) {
    SCOPED_TRACE(s.ad);
    Mekanizma mek;
    for (size_t i = 0; i < s.uzuvSayisi; ++i) mek.uzuvEkle("", 0, Donusum());
    for (const Mafsal& m : s.mafsallar) mek.mafsalEkle(m);
    EXPECT_EQ(mek.serbestlikDerecesi(), s.serbestlik);
    EXPECT_EQ(mek.agacGecerli(), s.agac);
  }
}

}  // namespace
}  // namespace vadu
