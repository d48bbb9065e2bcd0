#include "kinematik/geometri.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

namespace vadu {
namespace {

constexpr double PI = 3.14159265358979323846;
constexpr double TOL = 1e-12;

void yakinVektor(const Vektor3& a, const Vektor3& b, double tol = TOL) {
  EXPECT_NEAR(a.x, b.x, tol);
  EXPECT_NEAR(a.y, b.y, tol);
  EXPECT_NEAR(a.z, b.z, tol);
}

void yakinKuat(const Kuaterniyon& a, const Kuaterniyon& b, double tol = TOL) {
  EXPECT_NEAR(a.x, b.x, tol);
  EXPECT_NEAR(a.y, b.y, tol);
  EXPECT_NEAR(a.z, b.z, tol);
  EXPECT_NEAR(a.w, b.w, tol);
}

TEST(Geometri, Varsayilanlar) {
  const Vektor3 v;
  EXPECT_EQ(v.x, 0.0);
  EXPECT_EQ(v.y, 0.0);
  EXPECT_EQ(v.z, 0.0);
  const Kuaterniyon q;
  EXPECT_EQ(q.x, 0.0);
  EXPECT_EQ(q.y, 0.0);
  EXPECT_EQ(q.z, 0.0);
  EXPECT_EQ(q.w, 1.0);
  yakinVektor(Donusum().uygula({1.5, -2.0, 3.25}), {1.5, -2.0, 3.25});
  const Kutu k;
  EXPECT_FALSE(k.gecerli());
  EXPECT_EQ(k.min.x, DBL_MAX);
  EXPECT_EQ(k.max.z, -DBL_MAX);
  const Vektor3 b = k.boyut();
  EXPECT_EQ(b.x, 0.0);
  EXPECT_EQ(b.y, 0.0);
  EXPECT_EQ(b.z, 0.0);
}

TEST(Geometri, VektorIslemleri) {
  const Vektor3 a{1, 2, 3}, b{-4, 0.5, 2};
  yakinVektor(a + b, {-3, 2.5, 5});
  yakinVektor(a - b, {5, 1.5, 1});
  yakinVektor(-a, {-1, -2, -3});
  yakinVektor(a * 2.0, {2, 4, 6});
  yakinVektor(a / 2.0, {0.5, 1, 1.5});
  EXPECT_NEAR(a.uzunlukKare(), 14.0, TOL);
  yakinVektor(a.capraz(b), {2.5, -14, 8.5});
  // No guard on division.
  EXPECT_TRUE(std::isinf((a / 0.0).x));
}

// Both guards sit at 1e-7 with opposite strictness: at exactly that length a
// vector becomes zero and a quaternion is still divided.
TEST(Geometri, NormalizeSiniri) {
  struct Durum {
    double uzunluk;
    bool vektorBolunur;
    bool kuatBolunur;
  };
  const Durum durumlar[] = {
      {0.0, false, false}, {5e-8, false, false}, {1e-7, false, true},
      {2e-7, true, true},  {5.0, true, true},
  };
  for (const Durum& d : durumlar) {
    SCOPED_TRACE(d.uzunluk);
    const Vektor3 v = Vektor3{d.uzunluk, 0, 0}.normalize();
    EXPECT_EQ(v.x, d.vektorBolunur ? 1.0 : 0.0);
    const Kuaterniyon q = Kuaterniyon{0, d.uzunluk, 0, 0}.normalize();
    if (d.kuatBolunur) {
      yakinKuat(q, {0, 1, 0, 0});
    } else {
      yakinKuat(q, {0, 0, 0, 1});
    }
  }
  yakinVektor(Vektor3{3, 0, 4}.normalize(), {0.6, 0, 0.8});
  yakinKuat(Kuaterniyon{1, 1, 1, 1}.normalize(), {0.5, 0.5, 0.5, 0.5});
}

TEST(Geometri, EksenAci) {
  const double aci = 0.7;
  yakinKuat(Kuaterniyon::eksenAci({0, 0, 2}, aci), Kuaterniyon::eksenAci({0, 0, 1}, aci));
  yakinKuat(Kuaterniyon::eksenAci({0, 0, 0}, aci), {0, 0, 0, std::cos(aci / 2.0)});
  // An axis at the guard has no direction either.
  yakinKuat(Kuaterniyon::eksenAci({0, 1e-7, 0}, aci), {0, 0, 0, std::cos(aci / 2.0)});
  yakinVektor(Kuaterniyon::eksenAci({0, 0, 1}, PI / 2).dondur({1, 0, 0}), {0, 1, 0});
  yakinVektor(Kuaterniyon::eksenAci({1, 0, 0}, PI / 2).dondur({0, 1, 0}), {0, 0, 1});
}

TEST(Geometri, CarpimVeEslenik) {
  const Kuaterniyon q{0.3, -1.2, 0.5, 2.0};
  const Kuaterniyon p = q * q.eslenik();
  yakinKuat(p, {0, 0, 0, q.nokta(q)});
  EXPECT_NEAR(q.uzunluk(), std::sqrt(0.09 + 1.44 + 0.25 + 4.0), TOL);
  // The product composes rotations: b first, then a.
  const Kuaterniyon a = Kuaterniyon::eksenAci({0, 0, 1}, PI / 2);
  const Kuaterniyon b = Kuaterniyon::eksenAci({1, 0, 0}, PI / 2);
  yakinVektor((a * b).dondur({0, 1, 0}), a.dondur(b.dondur({0, 1, 0})));
  yakinVektor((a * b).dondur({0, 1, 0}), {0, 0, 1});
  // Not normalised.
  const Kuaterniyon c = Kuaterniyon{0, 0, 0, 2} * Kuaterniyon{0, 0, 0, 3};
  EXPECT_NEAR(c.w, 6.0, TOL);
}

TEST(Geometri, DonusumUygulaVeBilesim) {
  Donusum a;
  a.konum = {1, 2, 3};
  a.donus = Kuaterniyon::eksenAci({0, 0, 1}, PI / 2);
  a.olcek = {2, 3, 4};
  // Scale, then rotate, then translate.
  yakinVektor(a.uygula({1, 1, 1}), {1 - 3, 2 + 2, 3 + 4});
  // Composing matches applying one after the other when the outer scale is
  // uniform (otherwise it would have to act between the two rotations).
  a.olcek = {2, 2, 2};
  Donusum b;
  b.konum = {-0.5, 0.25, 2};
  b.donus = Kuaterniyon::eksenAci({1, 1, 0}, 0.3);
  b.olcek = {1, 0.5, 2};
  const Donusum ab = a * b;
  const Vektor3 p{0.7, -1.1, 0.4};
  yakinVektor(ab.uygula(p), a.uygula(b.uygula(p)));
  yakinVektor(ab.olcek, {2, 1, 4});
  EXPECT_NEAR(ab.donus.uzunluk(), 1.0, TOL);
  // A rotation product shorter than 1e-7 becomes the identity.
  Donusum sifir;
  sifir.donus = {0, 0, 0, 0};
  yakinKuat((sifir * b).donus, {0, 0, 0, 1});
}

TEST(Geometri, TersDuzgunOlcekteGeriDoner) {
  Donusum d;
  d.konum = {4, -1, 2.5};
  d.donus = Kuaterniyon::eksenAci({0.2, 1, -0.4}, 1.1);
  d.olcek = {2, 2, 2};
  const Vektor3 p{0.3, -0.8, 1.9};
  yakinVektor(d.ters().uygula(d.uygula(p)), p);
  yakinVektor((d * d.ters()).uygula(p), p);
}

TEST(Geometri, TersKarisikOlcekteGeriDonmez) {
  Donusum d;
  d.donus = Kuaterniyon::eksenAci({0, 0, 1}, PI / 2);
  d.olcek = {1, 2, 1};
  const Vektor3 p{1, 1, 0};
  const Vektor3 g = d.ters().uygula(d.uygula(p));
  // d maps (1, 1, 0) to (-2, 1, 0). The inverse halves y before turning back,
  // while the stretch now lies along x: it lands on (0.5, 2, 0).
  EXPECT_GT((g - p).uzunluk(), 0.1);
  yakinVektor(g, {0.5, 2.0, 0.0});
}

TEST(Geometri, TersSifirOlcek) {
  Donusum d;
  d.olcek = {0, 1, 1};
  const Donusum t = d.ters();
  EXPECT_TRUE(std::isinf(t.olcek.x));
  EXPECT_EQ(t.olcek.y, 1.0);
}

TEST(Geometri, KutuGenislet) {
  Kutu k;
  k.genislet({1, -2, 3});
  EXPECT_TRUE(k.gecerli());
  yakinVektor(k.min, {1, -2, 3});
  yakinVektor(k.max, {1, -2, 3});
  yakinVektor(k.boyut(), {0, 0, 0});
  k.genislet({-1, 0, 3});
  yakinVektor(k.min, {-1, -2, 3});
  yakinVektor(k.max, {1, 0, 3});
  yakinVektor(k.boyut(), {2, 2, 0});
  const double nan = std::numeric_limits<double>::quiet_NaN();
  k.genislet({nan, 5, nan});
  yakinVektor(k.min, {-1, -2, 3});
  yakinVektor(k.max, {1, 5, 3});
  // A NaN bound makes the box invalid.
  Kutu n = k;
  n.max.y = nan;
  EXPECT_FALSE(n.gecerli());
  yakinVektor(n.boyut(), {0, 0, 0});
}

Kutu kup(double yari) {
  Kutu k;
  k.genislet({-yari, -yari, -yari});
  k.genislet({yari, yari, yari});
  return k;
}

TEST(Geometri, KutuDonustur) {
  Donusum d;
  d.donus = Kuaterniyon::eksenAci({0, 0, 1}, PI / 4);
  const Kutu k = Kutu::donustur(kup(1.0), d);
  ASSERT_TRUE(k.gecerli());
  const double r2 = std::sqrt(2.0);
  yakinVektor(k.min, {-r2, -r2, -1});
  yakinVektor(k.max, {r2, r2, 1});
  // Every corner goes through the whole pose: scale, rotation, translation.
  d.donus = Kuaterniyon();
  d.konum = {10, 0, -1};
  d.olcek = {2, 1, 0.5};
  Kutu yerel;
  yerel.genislet({0, 1, 2});
  yerel.genislet({1, 3, 4});
  const Kutu tasinmis = Kutu::donustur(yerel, d);
  yakinVektor(tasinmis.min, {10, 1, 0});
  yakinVektor(tasinmis.max, {12, 3, 1});
  // A box without corners stays empty whatever the pose.
  const Kutu bos = Kutu::donustur(Kutu(), d);
  EXPECT_FALSE(bos.gecerli());
  EXPECT_EQ(bos.min.x, DBL_MAX);
  EXPECT_EQ(bos.max.y, -DBL_MAX);
}

}  // namespace
}  // namespace vadu
