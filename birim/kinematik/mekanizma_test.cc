#include "kinematik/mekanizma.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "birim/kinematik/duz_formul.h"
#include "kinematik/hareket.h"

namespace vadu {
namespace {

Mafsal mafsal(MafsalTip tip, size_t ana, size_t cocuk) {
  Mafsal m;
  m.tip = tip;
  m.ana = ana;
  m.cocuk = cocuk;
  return m;
}

// Every world pose as the plain evaluation gives it, within rounding.
void duzIleAyni(const Mekanizma& mek) {
  const std::vector<Donusum> a = mek.ileriKinematik();
  const std::vector<Donusum> b = duz::ileriKinematikDuz(mek);
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    SCOPED_TRACE(i);
    duz::yakin(a[i], b[i]);
  }
}

TEST(Mekanizma, TipAdlariVeSerbestlikleri) {
  struct Satir {
    int deger;
    const char* ad;
    int serbestlik;
  };
  const Satir satirlar[] = {
      {0, "Sabit", 0},
      {1, "D\xC3\xB6ner", 1},
      {2, "Kayar", 1},
      {3, "Silindirik", 2},
      {4, "Vida", 1},
      {5,
       "K\xC3\xBC"
       "resel",
       3},
      {6,
       "D\xC3\xBC"
       "zlemsel",
       3},
      {7, "Serbest", 6},
      {8, "?", 0},
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
      {"doner ve vida",
       3,
       {mafsal(MafsalTip::Doner, 0, 1), mafsal(MafsalTip::Vida, 1, 2)},
       2,
       true},
      {"cocuk once", 3, {mafsal(MafsalTip::Vida, 1, 2), mafsal(MafsalTip::Doner, 0, 1)}, 2, true},
      {"halka",
       4,
       {mafsal(MafsalTip::Doner, 0, 1), mafsal(MafsalTip::Doner, 1, 2),
        mafsal(MafsalTip::Doner, 2, 3), mafsal(MafsalTip::Doner, 3, 0)},
       -2,
       false},
      {"iki ana", 3, {mafsal(MafsalTip::Doner, 0, 1), mafsal(MafsalTip::Doner, 0, 1)}, 2, false},
      {"aralik disi", 2, {mafsal(MafsalTip::Serbest, 0, 5)}, 6, false},
      {"kendine",
       2,
       {mafsal(MafsalTip::Doner, 0, 1), mafsal(MafsalTip::Sabit, 1, 1)},
       -6 + 1,
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

TEST(Mekanizma, YasalariUygula) {
  struct Satir {
    int32_t degisken;
    double q, q2, q3;
  };
  // 1 drives q2, 2 drives q3, any other selector q; the value is not limited.
  const Satir satirlar[] = {
      {0, 5, 0, 0}, {1, 0, 5, 0}, {2, 0, 0, 5}, {3, 5, 0, 0}, {-1, 5, 0, 0},
  };
  for (const Satir& s : satirlar) {
    SCOPED_TRACE(s.degisken);
    Mekanizma mek;
    mek.uzuvEkle("", 0, Donusum());
    mek.uzuvEkle("", 0, Donusum());
    Mafsal m = mafsal(MafsalTip::Silindirik, 0, 1);
    m.sinirAlt = -1;
    m.sinirUst = 1;
    mek.mafsalEkle(m);
    Yasa y;
    y.tip = YasaTip::Dogrusal;
    y.egim = 2.5;
    y.degisken = s.degisken;
    mek.yasaEkle(y);
    mek.yasalariUygula(2.0);
    EXPECT_NEAR(mek.mafsallar()[0].q, s.q, 1e-12);
    EXPECT_NEAR(mek.mafsallar()[0].q2, s.q2, 1e-12);
    EXPECT_NEAR(mek.mafsallar()[0].q3, s.q3, 1e-12);
  }
}

TEST(Mekanizma, YasalarSiraylaYazarAralikDisiniAtlar) {
  Mekanizma mek;
  mek.mafsalEkle(Mafsal());
  mek.mafsalEkle(Mafsal());
  Yasa ilk;
  ilk.deger = 1.0;
  Yasa sonraki = ilk;
  sonraki.deger = 2.0;
  Yasa disarida = ilk;
  disarida.mafsal = 2;  // the number of joints
  disarida.deger = 9.0;
  Yasa ikinci = ilk;
  ikinci.mafsal = 1;
  ikinci.degisken = 2;
  ikinci.deger = 3.0;
  mek.yasaEkle(ilk);
  mek.yasaEkle(disarida);
  mek.yasaEkle(sonraki);
  mek.yasaEkle(ikinci);
  mek.yasalariUygula(0.0);
  EXPECT_EQ(mek.mafsallar()[0].q, 2.0);
  EXPECT_EQ(mek.mafsallar()[0].q3, 0.0);
  EXPECT_EQ(mek.mafsallar()[1].q, 0.0);
  EXPECT_EQ(mek.mafsallar()[1].q3, 3.0);
}

// A joint with anchors and a value of its own, so that every joint gives its
// child a pose of its own.
Mafsal hareketli(size_t ana, size_t cocuk, double q) {
  Mafsal m = mafsal(MafsalTip::Doner, ana, cocuk);
  m.q = q;
  m.capa.konum = {1.0 + q, 0.25, -0.5};
  m.capa.donus = Kuaterniyon::eksenAci({1, 0, 0}, 0.3);
  m.capaCocuk.konum = {-0.2, 0.1, 0.05};
  return m;
}

// Forward kinematics and the tree/loop split over the same mechanisms: which
// joint places each link (-1: the link keeps its base pose), which joints are
// tree joints and which close loops.
TEST(Mekanizma, IleriKinematikVeHalkalar) {
  struct Satir {
    const char* ad;
    size_t uzuvSayisi;
    std::vector<Mafsal> mafsallar;
    std::vector<int> yerlestiren;
    std::vector<uint8_t> agacta;
    std::vector<size_t> halka;
  };
  const Satir satirlar[] = {
      {"bos", 0, {hareketli(0, 0, 0.1)}, {}, {0}, {}},
      {"tek uzuv", 1, {}, {-1}, {}, {}},
      {"zincir", 3, {hareketli(0, 1, 0.4), hareketli(1, 2, -0.7)}, {-1, 0, 1}, {1, 1}, {}},
      {"cocuk once", 3, {hareketli(1, 2, -0.7), hareketli(0, 1, 0.4)}, {-1, 1, 0}, {1, 1}, {}},
      {"halka",
       4,
       {hareketli(0, 1, 0.4), hareketli(1, 2, -0.7), hareketli(2, 3, 1.1), hareketli(0, 3, 2.0)},
       {-1, 0, 1, 2},
       {1, 1, 1, 0},
       {3}},
      {"iki kez", 2, {hareketli(0, 1, 0.4), hareketli(0, 1, 1.5)}, {-1, 0}, {1, 0}, {1}},
      {"uzuv 0 a", 2, {hareketli(0, 1, 0.4), hareketli(1, 0, 1.5)}, {-1, 0}, {1, 0}, {1}},
      {"aralik disi",
       3,
       {hareketli(0, 1, 0.4), hareketli(0, 5, 1.5), hareketli(7, 2, 1.5)},
       {-1, 0, -1},
       {1, 0, 0},
       {}},
      {"ulasilmayan", 3, {hareketli(1, 2, 0.4)}, {-1, -1, -1}, {0}, {0}},
      {"kendine", 2, {hareketli(0, 0, 0.4), hareketli(0, 1, 0.2)}, {-1, 1}, {0, 1}, {0}},
  };
  for (const Satir& s : satirlar) {
    SCOPED_TRACE(s.ad);
    Mekanizma mek;
    for (size_t i = 0; i < s.uzuvSayisi; ++i) {
      Donusum taban;
      taban.konum = {static_cast<double>(i), 2.0, -1.0};
      taban.donus = Kuaterniyon::eksenAci({0, 1, 1}, 0.2 * static_cast<double>(i) + 0.1);
      mek.uzuvEkle("", 0, taban);
    }
    for (const Mafsal& m : s.mafsallar) mek.mafsalEkle(m);

    const std::vector<Donusum> dunya = mek.ileriKinematik();
    ASSERT_EQ(dunya.size(), s.uzuvSayisi);
    for (size_t i = 0; i < s.uzuvSayisi; ++i) {
      SCOPED_TRACE(i);
      const int j = s.yerlestiren[i];
      if (j < 0) {
        duz::yakin(dunya[i], mek.uzuvlar()[i].taban);
      } else {
        const Mafsal& m = s.mafsallar[static_cast<size_t>(j)];
        duz::yakin(dunya[i], dunya[m.ana] * duz::mafsalDonusumuDuz(m));
      }
    }

    std::vector<uint8_t> agacta = {7, 7, 7, 7, 7};
    std::vector<size_t> halka = {42};
    agacHalkaAyir(mek.mafsallar(), s.uzuvSayisi, agacta, halka);
    EXPECT_EQ(agacta, s.agacta);
    EXPECT_EQ(halka, s.halka);
    EXPECT_EQ(mek.halkaMafsallari(), s.halka);
  }
}

// The order of the list does not change the poses: a chain listed child first
// lands where the same chain listed parent first does.
TEST(Mekanizma, CocukOnceZincirAyniYereKonar) {
  Mekanizma once, sonra;
  for (Mekanizma* m : {&once, &sonra}) {
    for (int i = 0; i < 4; ++i) m->uzuvEkle("", 0, Donusum());
  }
  const Mafsal zincir[] = {hareketli(0, 1, 0.3), hareketli(1, 2, -1.2), hareketli(2, 3, 0.8)};
  for (const Mafsal& m : zincir) sonra.mafsalEkle(m);
  for (int i = 2; i >= 0; --i) once.mafsalEkle(zincir[i]);
  const std::vector<Donusum> a = once.ileriKinematik();
  const std::vector<Donusum> b = sonra.ileriKinematik();
  ASSERT_EQ(a.size(), 4u);
  ASSERT_EQ(b.size(), 4u);
  for (size_t i = 0; i < 4; ++i) duz::yakin(a[i], b[i]);
  EXPECT_TRUE(once.halkaMafsallari().empty());
}

// The evaluation of the library against the plain one on long chains of every
// kind, with anchors that translate, turn and scale and links with base poses
// of their own, more links than the flags kept on the stack.
TEST(Mekanizma, IleriKinematikDuzFormulIleAyni) {
  for (const size_t n : {7u, 31u, 70u, 200u}) {
    SCOPED_TRACE(n);
    Mekanizma mek;
    for (size_t i = 0; i < n; ++i) {
      Donusum taban;
      taban.konum = {0.1 * static_cast<double>(i), -0.3, 0.7};
      taban.olcek = {1.0, 1.0 + 0.01 * static_cast<double>(i % 3), 1.0};
      mek.uzuvEkle("", 0, taban);
    }
    std::vector<Mafsal> zincir;
    for (size_t i = 1; i < n; ++i) {
      const double x = static_cast<double>(i);
      Mafsal m = mafsal(static_cast<MafsalTip>(i % 9), i - 1, i);
      m.q = std::sin(x * 1.7) * 3.0;
      m.q2 = std::cos(x * 0.9);
      m.q3 = std::sin(x * 0.4) * 2.0;
      m.vidaAdim = 0.2 + 0.01 * x;
      if (i % 4 == 0) {
        m.sinirAlt = -1.0;
        m.sinirUst = 1.0;
      }
      m.capa.konum = {0.3, 0.05 * x, -0.1};
      m.capa.donus = Kuaterniyon::eksenAci({1, 0.2 * x, -0.5}, 0.37 * x);
      m.capaCocuk.konum = {-0.05, 0.1, 0.02 * x};
      m.capaCocuk.donus = Kuaterniyon::eksenAci({0.1, 1, 0.3}, -0.21 * x);
      if (i % 5 == 0) m.capaCocuk.olcek = {1.5, 1.5, 1.5};
      zincir.push_back(m);
    }
    // Listed child first, each pass places one link: n - 1 passes of n.
    if (n % 2 == 1) std::reverse(zincir.begin(), zincir.end());
    for (const Mafsal& m : zincir) mek.mafsalEkle(m);
    duzIleAyni(mek);
  }
}

// The poses that the regrouped composition may not take: a root that scales
// or turns by a rotation not of unit length, anchors that scale, an anchor
// rotation of length 2 and one so short that its normalisation falls back to
// the identity, each ahead of joints that could take it again.
TEST(Mekanizma, IleriKinematikOzelPozlarDuzFormulIleAyni) {
  Donusum olcekliKok;
  olcekliKok.olcek = {2.0, 2.0, 2.0};
  Donusum uzunKok;
  uzunKok.donus = Kuaterniyon(0.0, 0.3, 0.0, 1.5);
  uzunKok.konum = {1.0, 2.0, 3.0};
  struct Ozel {
    const char* ad;
    Donusum kok;
    Kuaterniyon capaDonusu;   // of the second joint
    Vektor3 capaCocukOlcegi;  // of the third joint
  };
  const Kuaterniyon birim = Kuaterniyon::eksenAci({0.3, -1, 0.2}, 0.8);
  const Ozel ozeller[] = {
      {"olcekli kok", olcekliKok, birim, {1, 1, 1}},
      {"birim olmayan kok", uzunKok, birim, {1, 1, 1}},
      {"uzun capa", Donusum(), Kuaterniyon(0.2, 0.0, 0.0, 2.0), {1, 1, 1}},
      {"kisa capa", Donusum(), Kuaterniyon(1e-9, 0.0, 0.0, 1e-9), {1, 1, 1}},
      {"olcekli capa", Donusum(), birim, {1.0, 0.5, 1.0}},
  };
  for (const Ozel& o : ozeller) {
    SCOPED_TRACE(o.ad);
    Mekanizma mek;
    mek.uzuvEkle("", 0, o.kok);
    for (size_t i = 1; i < 6; ++i) mek.uzuvEkle("", 0, Donusum());
    for (size_t i = 1; i < 6; ++i) {
      const double x = static_cast<double>(i);
      Mafsal m = mafsal(i % 2 ? MafsalTip::Doner : MafsalTip::Silindirik, i - 1, i);
      m.q = 0.7 * x - 1.9;
      m.q2 = 0.25 * x;
      m.capa.konum = {0.5, -0.1 * x, 0.2};
      m.capa.donus = i == 2 ? o.capaDonusu : Kuaterniyon::eksenAci({1, 0.5, x}, 0.3 * x);
      m.capaCocuk.konum = {0.1, 0.05 * x, -0.3};
      m.capaCocuk.donus = Kuaterniyon::eksenAci({0.2, 1, -0.4}, -0.45 * x);
      if (i == 3) m.capaCocuk.olcek = o.capaCocukOlcegi;
      mek.mafsalEkle(m);
    }
    duzIleAyni(mek);
  }
}

}  // namespace
}  // namespace vadu
