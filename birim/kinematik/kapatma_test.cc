#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "birim/kinematik/dort_cubuk.h"
#include "kinematik/mekanizma.h"

namespace vadu {
namespace {

using dort::dortCubuk;
using dort::Q1;
using dort::Q2;
using dort::Q3;

constexpr double DORT_HANE = 1e-4;

std::vector<double> qDegerleri(const Mekanizma& mek) {
  std::vector<double> q;
  for (const Mafsal& mf : mek.mafsallar()) {
    q.push_back(mf.q);
    q.push_back(mf.q2);
    q.push_back(mf.q3);
  }
  return q;
}

TEST(HalkaKapatma, DortCubukHerBaslangictanKapanir) {
  const double kapali[3] = {-0.6127, 4.1654, 4.5527};
  const double sapmalar[] = {0.05, -0.05, 0.4, -0.4};
  for (size_t mafsalNo = 1; mafsalNo <= 3; ++mafsalNo) {
    for (double sapma : sapmalar) {
      SCOPED_TRACE(testing::Message() << "mafsal " << mafsalNo << " sapma " << sapma);
      double q[3] = {kapali[0], kapali[1], kapali[2]};
      q[mafsalNo - 1] += sapma;
      Mekanizma mek = dortCubuk(q[0], q[1], q[2]);
      double artik = -5.0;
      std::vector<double> normlar;
      EXPECT_TRUE(mek.halkalariKapat({0}, 60, 1e-7, &artik, &normlar));
      EXPECT_LE(artik, 1e-7);
      ASSERT_GE(normlar.size(), 2u);
      EXPECT_LE(normlar.size() - 1, 4u);
      EXPECT_EQ(normlar.back(), artik);
      for (size_t i = 1; i < normlar.size(); ++i) EXPECT_LT(normlar[i], normlar[i - 1]);
      const std::vector<Mafsal>& mf = mek.mafsallar();
      EXPECT_EQ(mf[0].q, 1.0);
      EXPECT_NEAR(mf[1].q, Q1, DORT_HANE);
      EXPECT_NEAR(mf[2].q, Q2, DORT_HANE);
      EXPECT_NEAR(mf[3].q, Q3, DORT_HANE);
      for (const Mafsal& m : mf) {
        EXPECT_EQ(m.q2, 0.0);
        EXPECT_EQ(m.q3, 0.0);
      }
    }
  }
}

// From 1.5 rad away on the coupler the full Gauss-Newton step overshoots;
// only the halving line search brings the four-bar back to its assembly.
TEST(HalkaKapatma, UzaktanYariyaBolerekKapanir) {
  Mekanizma mek = dortCubuk(-0.6127 + 1.5, 4.1654, 4.5527);
  double artik = -5.0;
  EXPECT_TRUE(mek.halkalariKapat({0}, 60, 1e-7, &artik));
  EXPECT_LE(artik, 1e-7);
  EXPECT_NEAR(mek.mafsallar()[1].q, Q1, DORT_HANE);
  EXPECT_NEAR(mek.mafsallar()[2].q, Q2, DORT_HANE);
  EXPECT_NEAR(mek.mafsallar()[3].q, Q3, DORT_HANE);
}

TEST(HalkaKapatma, KapaliBaslayinceDokunmaz) {
  Mekanizma mek = dortCubuk(Q1, Q2, Q3);
  const std::vector<double> once = qDegerleri(mek);
  double artik = -5.0;
  std::vector<double> normlar;
  EXPECT_TRUE(mek.halkalariKapat({0}, 60, 1e-7, &artik, &normlar));
  EXPECT_EQ(normlar.size(), 1u);
  EXPECT_LE(artik, 1e-7);
  EXPECT_EQ(qDegerleri(mek), once);
}

// Two sliders along z one after the other on a ground scaled by 1e8, their
// loop closed by a fixed joint 1 off along z. Both move link 2 alike, so their
// Jacobian columns are equal; at 1e8 their squares reach 1e16, past which the
// damping of 1e-6 is lost, and the elimination meets a zero pivot.
Mekanizma ikiKayar() {
  Mekanizma mek;
  Donusum zemin;
  zemin.olcek = {1e8, 1e8, 1e8};
  mek.uzuvEkle("", 0, zemin);
  for (int i = 0; i < 2; ++i) mek.uzuvEkle("", 0, Donusum());
  const size_t ana[3] = {0, 1, 0};
  const size_t cocuk[3] = {1, 2, 2};
  for (size_t i = 0; i < 3; ++i) {
    Mafsal m;
    m.tip = i < 2 ? MafsalTip::Kayar : MafsalTip::Sabit;
    m.ana = ana[i];
    m.cocuk = cocuk[i];
    if (i == 2) m.capa.konum = {0, 0, 1};
    mek.mafsalEkle(std::move(m));
  }
  return mek;
}

// Each case runs once with a place for the residual and once without.
TEST(HalkaKapatma, SonuclanmayanDurumlar) {
  // Without the closing joint the four-bar is a plain chain.
  Mekanizma zincir;
  for (int i = 0; i < 4; ++i) zincir.uzuvEkle("", 0, Donusum());
  for (size_t i = 0; i < 3; ++i) zincir.mafsalEkle(dortCubuk(0.3, -0.2, 0.0).mafsallar()[i]);
  const Mekanizma acik = dortCubuk(-0.2, 4.0, 4.7);

  struct Satir {
    const char* ad;
    Mekanizma mek;
    std::vector<size_t> surulen;
    int maxIter;
    bool sonuc;
    double artik;  // or ILK, the norm before any iteration, or KAPALI, within the tolerance
  };
  constexpr double ILK = -3.0;
  constexpr double KAPALI = -2.0;
  const Satir satirlar[] = {
      {"halka yok", zincir, {0}, 60, true, 0.0},
      {"hepsi surulen", acik, {3, 0, 2, 1}, 60, false, -1.0},
      // Only joints 0 and 3 could move, and both are driven.
      {"sabit ya da surulen",
       dortCubuk(-0.2, 4.0, 4.7,
                 [](size_t i, Mafsal& m) {
                   if (i == 1 || i == 2) m.tip = MafsalTip::Sabit;
                 }),
       {0, 3},
       60,
       false,
       -1.0},
      {"yineleme yok", acik, {0}, 0, false, ILK},
      {"eksi yineleme", acik, {0}, -3, false, ILK},
      {"yineleme yok ama kapali", dortCubuk(Q1, Q2, Q3), {0}, 0, true, KAPALI},
      // Limits of one value hold every joint: the Jacobian is zero, so is the
      // step, and no line-search try can lower the norm.
      {"arama ilerleyemez",
       dortCubuk(-0.2, 4.0, 4.7, [](size_t, Mafsal& m) { m.sinirAlt = m.sinirUst = m.q; }),
       {0},
       60,
       false,
       ILK},
      // Only the rocker may move; it sits 0.5 above its closing angle on its
      // lower limit, so every try of the step down lands on the limit again and
      // the rocker must be put back exactly.
      {"sinira dayanir",
       dortCubuk(Q1, Q2, Q3 + 0.5,
                 [](size_t i, Mafsal& m) {
                   if (i != 3) return;
                   m.sinirAlt = m.q;
                   m.sinirUst = m.q + 1.0;
                 }),
       {0, 1, 2},
       60,
       false,
       ILK},
      // The elimination gives up before any step is tried.
      {"tekil pivot", ikiKayar(), {}, 60, false, ILK},
  };
  for (const Satir& s : satirlar) {
    SCOPED_TRACE(s.ad);
    std::vector<double> normlar;
    Mekanizma(s.mek).halkalariKapat(s.surulen, 0, 1e-7, nullptr, &normlar);
    const double ilk = normlar.empty() ? 0.0 : normlar[0];
    if (s.artik == ILK) {
      EXPECT_GT(ilk, 0.1);
    }
    for (bool artikYeri : {true, false}) {
      Mekanizma mek = s.mek;
      const std::vector<double> once = qDegerleri(mek);
      double artik = -5.0;
      EXPECT_EQ(mek.halkalariKapat(s.surulen, s.maxIter, 1e-7, artikYeri ? &artik : nullptr),
                s.sonuc);
      if (!artikYeri) {
        EXPECT_EQ(artik, -5.0);
      } else if (s.artik == KAPALI) {
        EXPECT_LE(artik, 1e-7);
      } else if (s.artik == ILK) {
        EXPECT_EQ(artik, ilk);
      } else {
        EXPECT_EQ(artik, s.artik);
      }
      EXPECT_EQ(qDegerleri(mek), once);
    }
  }
}

TEST(HalkaKapatma, SurulenListesindeYinelemeVeTasmaEtkisiz) {
  Mekanizma tek = dortCubuk(-0.3, 4.5, 4.2);
  double tekArtik = 0.0;
  EXPECT_TRUE(tek.halkalariKapat({0}, 60, 1e-7, &tekArtik));
  for (const std::vector<size_t>& surulen :
       {std::vector<size_t>{0, 0}, std::vector<size_t>{0, 99}, std::vector<size_t>{99, 0, 99}}) {
    Mekanizma mek = dortCubuk(-0.3, 4.5, 4.2);
    double artik = 0.0;
    EXPECT_TRUE(mek.halkalariKapat(surulen, 60, 1e-7, &artik));
    EXPECT_EQ(artik, tekArtik);
    EXPECT_EQ(qDegerleri(mek), qDegerleri(tek));
  }
}

// Only q of a joint with several freedoms is varied. With q2 at 0 the
// cylindrical joint acts as a pin; lifted by 0.25 along z, no turn about z can
// take the lift away: the planar part closes and the lift stays as residual.
TEST(HalkaKapatma, SilindirikMafsalinQ2siniDegistirmez) {
  for (double q2 : {0.0, 0.25}) {
    SCOPED_TRACE(q2);
    Mekanizma mek = dortCubuk(-0.5, 4.3, 4.4, [q2](size_t i, Mafsal& m) {
      if (i != 3) return;
      m.tip = MafsalTip::Silindirik;
      m.q2 = q2;
    });
    double artik = -5.0;
    EXPECT_EQ(mek.halkalariKapat({0}, 60, 1e-7, &artik), q2 == 0.0);
    EXPECT_NEAR(artik, q2, 1e-7);
    const std::vector<Mafsal>& mf = mek.mafsallar();
    EXPECT_EQ(mf[3].q2, q2);
    EXPECT_EQ(mf[3].q3, 0.0);
    EXPECT_NEAR(mf[1].q, Q1, DORT_HANE);
    EXPECT_NEAR(mf[2].q, Q2, DORT_HANE);
    EXPECT_NEAR(mf[3].q, Q3, DORT_HANE);
  }
}

}  // namespace
}  // namespace vadu
