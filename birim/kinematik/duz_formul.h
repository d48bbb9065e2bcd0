// The tolerant compares with which the unit tests of the motion and the
// mechanism hold the library's evaluation to the plain one of duz_kinematik.h.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "birim/kinematik/duz_kinematik.h"
#include "kinematik/geometri.h"

namespace vadu::duz {

// Tolerant compares, relative above magnitude 1.
inline double tolerans(double a, double b, double tol) {
  return tol * std::max({1.0, std::abs(a), std::abs(b)});
}

inline void yakin(const Vektor3& a, const Vektor3& b, double tol = 1e-12) {
  EXPECT_NEAR(a.x, b.x, tolerans(a.x, b.x, tol));
  EXPECT_NEAR(a.y, b.y, tolerans(a.y, b.y, tol));
  EXPECT_NEAR(a.z, b.z, tolerans(a.z, b.z, tol));
}

inline void yakin(const Donusum& a, const Donusum& b, double tol = 1e-12) {
  yakin(a.konum, b.konum, tol);
  EXPECT_NEAR(a.donus.x, b.donus.x, tol);
  EXPECT_NEAR(a.donus.y, b.donus.y, tol);
  EXPECT_NEAR(a.donus.z, b.donus.z, tol);
  EXPECT_NEAR(a.donus.w, b.donus.w, tol);
  yakin(a.olcek, b.olcek, tol);
}

}  // namespace vadu::duz
