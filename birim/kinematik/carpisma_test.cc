#include "kinematik/carpisma.h"

#include <gtest/gtest.h>

#include <limits>

#include "birim/kinematik/dort_cubuk.h"

namespace vadu {
namespace {

constexpr double TOL = 1e-12;

Kutu kutu(const Vektor3& a, const Vektor3& b) {
  Kutu k;
  k.genislet(a);
  k.genislet(b);
  return k;
}

TEST(Carpisma, OrtusmeOrani) {
  const Kutu buyuk = kutu({-1, -1, -1}, {1, 1, 1});
  Kutu nanSinirli = kutu({0, 0, 0}, {0.5, 0.5, 0.5});
  nanSinirli.max.x = std::numeric_limits<double>::quiet_NaN();
  struct Satir {
    const char* ad;
    Kutu a;
    Kutu b;
    double oran;
  };
  const Satir satirlar[] = {
      {"ic ice", buyuk, kutu({0, 0, 0}, {0.5, 0.5, 0.5}), 1.0},
      {"ic ice ters sirada", kutu({0, 0, 0}, {0.5, 0.5, 0.5}), buyuk, 1.0},
      {"esit", buyuk, buyuk, 1.0},
      // 0.5 x 2 x 2 of a volume of 8.
      {"kaymis", buyuk, kutu({0.5, -1, -1}, {2.5, 1, 1}), 0.25},
      {"degiyor", buyuk, kutu({1, -1, -1}, {3, 1, 1}), 0.0},
      {"ayri", buyuk, kutu({5, 5, 5}, {6, 6, 6}), 0.0},
      // Inside the other box, but without volume.
      {"yassi", buyuk, kutu({-0.5, 0, -0.5}, {0.5, 0, 0.5}), 0.0},
      {"cok ince", buyuk, kutu({-0.5, -0.5, -0.5}, {0.5, 0.5, -0.5 + 1e-13}), 0.0},
      {"bos", buyuk, Kutu(), 0.0},
      {"NaN sinir", buyuk, nanSinirli, 0.0},
  };
  for (const Satir& s : satirlar) {
    EXPECT_NEAR(ortusmeOrani(s.a, s.b), s.oran, TOL) << s.ad;
  }
}

Donusum yer(double x) {
  Donusum d;
  d.konum = {x, 0, 0};
  return d;
}

const Kutu BIRIM = kutu({-1, -1, -1}, {1, 1, 1});

void ayniSonuc(const std::vector<Carpisma>& bulunan, const std::vector<Carpisma>& beklenen) {
  ASSERT_EQ(bulunan.size(), beklenen.size());
  for (size_t i = 0; i < bulunan.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(bulunan[i].uzuvA, beklenen[i].uzuvA);
    EXPECT_EQ(bulunan[i].uzuvB, beklenen[i].uzuvB);
    EXPECT_NEAR(bulunan[i].zaman, beklenen[i].zaman, TOL);
    EXPECT_NEAR(bulunan[i].oran, beklenen[i].oran, TOL);
  }
}

TEST(Carpisma, IkiSerbestUzuv) {
  struct Satir {
    double x;
    std::vector<Carpisma> beklenen;
  };
  const Satir satirlar[] = {
      // 0.5 x 2 x 2 of a volume of 8, found at the first step only.
      {1.5, {{0, 1, 0.0, 0.25}}},
      // Touching is not overlapping.
      {2.0, {}},
  };
  for (const Satir& s : satirlar) {
    SCOPED_TRACE(s.x);
    Mekanizma mek;
    mek.uzuvEkle("a", 0, Donusum());
    mek.uzuvEkle("b", 0, yer(s.x));
    ayniSonuc(carpismaTara(mek, {BIRIM, BIRIM}, 0.0, 1.0, 5, true), s.beklenen);
  }
}

// Link 1 slides along z from -10 by 10 per unit of time; link 2 stays at the
// origin, inside link 0, unplaced by any joint.
Mekanizma kayarUcUzuv() {
  Mekanizma mek;
  for (int i = 0; i < 3; ++i) mek.uzuvEkle("", 0, Donusum());
  Mafsal m;
  m.tip = MafsalTip::Kayar;
  m.ana = 0;
  m.cocuk = 1;
  mek.mafsalEkle(m);
  Yasa y;
  y.tip = YasaTip::Dogrusal;
  y.deger = -10;
  y.egim = 10;
  mek.yasaEkle(y);
  return mek;
}

TEST(Carpisma, KayarUcUzuvZamanlari) {
  struct Satir {
    const char* ad;
    double t0;
    double t1;
    int adim;
    bool komsuAtla;
    std::vector<Carpisma> beklenen;
    double sonQ;
  };
  const std::vector<Kutu> kutular{BIRIM, BIRIM, BIRIM};
  const Satir satirlar[] = {
      // z = -10, -5, 0, 5, 10: link 1 meets the others only at t = 1.
      {"komsular atlanir", 0, 2, 5, true, {{0, 2, 0.0, 1.0}, {1, 2, 1.0, 1.0}}, 10},
      {"komsular da", 0, 2, 5, false, {{0, 2, 0.0, 1.0}, {0, 1, 1.0, 1.0}, {1, 2, 1.0, 1.0}}, 10},
      // Three steps test 0, 0.5 and 1.
      {"uc adim", 0, 1, 3, false, {{0, 2, 0.0, 1.0}, {0, 1, 1.0, 1.0}, {1, 2, 1.0, 1.0}}, 0},
      // One step tests t0 alone.
      {"tek adim", 1, 2, 1, false, {{0, 1, 1.0, 1.0}, {0, 2, 1.0, 1.0}, {1, 2, 1.0, 1.0}}, 0},
      {"tek adim basta", 0, 1, 1, false, {{0, 2, 0.0, 1.0}}, -10},
      // At z = -1.5 the slider overlaps by a quarter.
      {"ceyrek",
       0.85,
       0.85,
       2,
       false,
       {{0, 1, 0.85, 0.25}, {0, 2, 0.85, 1.0}, {1, 2, 0.85, 0.25}},
       -1.5},
  };
  for (const Satir& s : satirlar) {
    SCOPED_TRACE(s.ad);
    Mekanizma mek = kayarUcUzuv();
    ayniSonuc(carpismaTara(mek, kutular, s.t0, s.t1, s.adim, s.komsuAtla), s.beklenen);
    // The joint is left as the last step set it.
    EXPECT_NEAR(mek.mafsallar()[0].q, s.sonQ, TOL);
  }
}

TEST(Carpisma, YozGirdilerMekanizmayaDokunmaz) {
  const std::vector<Kutu> kutular{BIRIM, BIRIM, BIRIM};
  Mekanizma tekUzuv;
  tekUzuv.uzuvEkle("", 0, Donusum());
  Mafsal m;
  m.tip = MafsalTip::Kayar;
  tekUzuv.mafsalEkle(m);
  Yasa y;
  y.deger = 3.0;
  tekUzuv.yasaEkle(y);
  struct Satir {
    const char* ad;
    Mekanizma mek;
    std::vector<Kutu> kutular;
    int adim;
  };
  const Satir satirlar[] = {
      {"adim yok", kayarUcUzuv(), kutular, 0},
      {"eksi adim", kayarUcUzuv(), kutular, -1},
      {"kutu yok", kayarUcUzuv(), {}, 5},
      {"tek uzuv", tekUzuv, kutular, 5},
  };
  for (const Satir& s : satirlar) {
    SCOPED_TRACE(s.ad);
    Mekanizma mek = s.mek;
    EXPECT_TRUE(carpismaTara(mek, s.kutular, 0.0, 2.0, s.adim, false).empty());
    EXPECT_EQ(mek.mafsallar()[0].q, 0.0);
  }
}

// Links without a valid box never collide, wherever they are.
TEST(Carpisma, KutusuzUzuvCarpismaz) {
  Mekanizma mek = kayarUcUzuv();
  ayniSonuc(carpismaTara(mek, {BIRIM}, 0, 2, 5, false), {});
  mek = kayarUcUzuv();
  ayniSonuc(carpismaTara(mek, {BIRIM, Kutu(), BIRIM}, 0, 2, 5, false), {{0, 2, 0.0, 1.0}});
  // Entries beyond the links are not read.
  mek = kayarUcUzuv();
  ayniSonuc(carpismaTara(mek, {Kutu(), BIRIM, BIRIM, BIRIM}, 0, 2, 5, false), {{1, 2, 1.0, 1.0}});
}

// A four-bar is closed at every step before its boxes move. Closed, the
// rocker's end (2, 0, 0) on link 3 sits on the ground pivot (3, 0, 0); open,
// as it starts, that end lies near (1.0, 2.6, 0), far from the pivot's box.
TEST(Carpisma, HalkaHerAdimdaKapanir) {
  Mekanizma mek = dort::dortCubuk(-0.4, 2.5, 4.4);
  mek.yasaEkle(dort::krankSinusu(0.2, 4.0));
  const std::vector<Kutu> kutular{kutu({2.7, -0.3, -0.3}, {3.3, 0.3, 0.3}), Kutu(), Kutu(),
                                  kutu({1.9, -0.1, -0.1}, {2.1, 0.1, 0.1})};
  ayniSonuc(carpismaTara(mek, kutular, 0.0, 1.0, 11, false), {{0, 3, 0.0, 1.0}});
  EXPECT_NEAR(mek.mafsallar()[0].q, 1.2, TOL);
  double artik = -5.0;
  EXPECT_TRUE(mek.halkalariKapat({0}, 0, 1e-7, &artik));
  EXPECT_LE(artik, 1e-7);
}

}  // namespace
}  // namespace vadu
