#include "kinematik/sinkos.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace vadu {
namespace {

constexpr double PI = 3.141592653589793;

// Within a few units in the last place of the library's values, measured on
// the scale of the result or of 1, whichever is larger: near a zero of the
// function the absolute error is what the angle itself carries.
void yakin(double x) {
  const SinKos y = sinKos(x);
  EXPECT_NEAR(y.sin, std::sin(x), 2.3e-16) << x;
  EXPECT_NEAR(y.kos, std::cos(x), 2.3e-16) << x;
}

TEST(SinKos, KutupVeCeyrekSinirlari) {
  for (int k = -8; k <= 8; ++k) {
    const double x = k * (PI / 4.0);
    yakin(x);
    yakin(std::nextafter(x, 1e9));
    yakin(std::nextafter(x, -1e9));
  }
  const SinKos sifir = sinKos(0.0);
  EXPECT_EQ(sifir.sin, 0.0);
  EXPECT_EQ(sifir.kos, 1.0);
  EXPECT_TRUE(std::signbit(sinKos(-0.0).sin));
  yakin(1e-300);
  yakin(-5e-324);
}

TEST(SinKos, GenisAralik) {
  // Uneven steps, so that every quarter and every place within it is met.
  for (double x = -2.0e4; x < 2.0e4; x += 0.7313) yakin(x);
  for (double x = -40.0; x < 40.0; x += 0.001237) yakin(x);
  for (const double x : {99999.99, -99999.99, 1e5, -1e5, 31415.926535897932}) yakin(x);
}

TEST(SinKos, SinirDisindaKutuphaneKarar) {
  const double disari[] = {1e5 + 0.5, -2e5, 1e300, std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()};
  for (const double x : disari) {
    const SinKos y = sinKos(x);
    // Through a volatile, so that the compiler cannot fold the reference at
    // build time, correctly rounded, where the library at run time is not.
    volatile double v = x;
    const double s = std::sin(v);
    const double c = std::cos(v);
    if (std::isnan(s)) {
      EXPECT_TRUE(std::isnan(y.sin)) << x;
      EXPECT_TRUE(std::isnan(y.kos)) << x;
    } else {
      EXPECT_EQ(std::bit_cast<uint64_t>(y.sin), std::bit_cast<uint64_t>(s)) << x;
      EXPECT_EQ(std::bit_cast<uint64_t>(y.kos), std::bit_cast<uint64_t>(c)) << x;
    }
  }
}

}  // namespace
}  // namespace vadu
