// The planar four-bar that the solver's tests and measurements close: ground
// 3 long, crank 1, coupler 3, rocker 2, all pins about z, the crank (joint 0)
// at q = 1.0 and joint 3 closing the loop at the ground's far end.
#pragma once

#include <cstddef>
#include <functional>
#include <utility>

#include "kinematik/geometri.h"
#include "kinematik/mekanizma.h"

namespace vadu::dort {

// The assembled configuration of joints 1, 2 and 3.
constexpr double Q1 = -0.61269964638942065;
constexpr double Q2 = 4.1653610605381131;
constexpr double Q3 = 4.5526614141486927;

inline Donusum oteleme(double x) {
  Donusum d;
  d.konum = {x, 0, 0};
  return d;
}

// `ayar`, when set, may change each joint before it is added.
inline Mekanizma dortCubuk(double q1, double q2, double q3,
                           const std::function<void(size_t, Mafsal&)>& ayar = {}) {
  Mekanizma mek;
  for (int i = 0; i < 4; ++i) mek.uzuvEkle("", 0, Donusum());
  const size_t ana[4] = {0, 1, 2, 0};
  const size_t cocuk[4] = {1, 2, 3, 3};
  const double capa[4] = {0, 1, 3, 3};
  const double q[4] = {1.0, q1, q2, q3};
  for (size_t i = 0; i < 4; ++i) {
    Mafsal m;
    m.ana = ana[i];
    m.cocuk = cocuk[i];
    m.capa = oteleme(capa[i]);
    if (i == 3) m.capaCocuk = oteleme(2);
    m.q = q[i];
    if (ayar) ayar(i, m);
    mek.mafsalEkle(std::move(m));
  }
  return mek;
}

// A sine law on the crank about its assembled angle 1.0.
inline Yasa krankSinusu(double genlik, double periyot) {
  Yasa y;
  y.tip = YasaTip::Sinus;
  y.deger = 1.0;
  y.genlik = genlik;
  y.periyot = periyot;
  return y;
}

}  // namespace vadu::dort
