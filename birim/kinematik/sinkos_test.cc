#include "kinematik/sinkos.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <ios>
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

// The spacing of doubles just above |deger|: a unit in its last place.
double sonBirim(double deger) {
  const double a = std::abs(deger);
  return std::nextafter(a, std::numeric_limits<double>::infinity()) - a;
}

// The bound the header states, against the correctly rounded values rather
// than a C library's, which differ among toolchains: two units in the last
// place plus the reduction's absolute 7e-22. The cases are the worst found
// in a search of |x| <= 1e5 against a quadruple-precision reference: next to
// the multiples of π/2, where the result is near zero and the absolute part
// is all of the error (billions of units in the last place of that result),
// and where the rounding is worst; then a few ordinary angles.
TEST(SinKos, DogruYuvarlanmisDegereUzaklik) {
  struct Satir {
    double x;
    double sin;
    double kos;
  };
  const Satir satirlar[] = {
      {0x1.84771d8e1744ap+16, -0x1.d67d42144f2cp-36, -0x1p+0},
      {-0x1.84771d8e1744ap+16, 0x1.d67d42144f2cp-36, -0x1p+0},
      {0x1.84771d8e17449p+16, -0x1.acfa84289e581p-37, -0x1p+0},
      {0x1.84771d8e17448p+16, 0x1.4c15ef5d869fdp-39, -0x1p+0},
      {-0x1.67e57cdd4dc54p+16, 0x1.396f53352c401p-52, -0x1p+0},
      {-0x1.65a1dd290660fp+16, -0x1p+0, 0x1.049c6e4971285p-52},
      {-0x1.52de5e65c1247p+16, 0x1.ffffffffffeebp-1, 0x1.0a6aafe918d02p-22},
      {-0x1.c23477d4c778p+15, 0x1.e726ccad008aep-22, -0x1.ffffffffffc61p-1},
      {-0x1.7b899b56e155ap+16, 0x1.ffffffffffae6p-1, 0x1.211c46ecfeb22p-21},
      {0x1.fffe6318f99f4p+15, 0x1.ffffffffffe85p-1, 0x1.377ce524ec72ep-22},
      {-0x1.4101c7d771004p+16, 0x1.8c6b8cfaf7fb5p-20, 0x1.fffffffffd9a2p-1},
      {0x1.4f902e1f59ed8p+16, 0x1.d05868b87a5eap-2, 0x1.c855428ba77bp-1},
      {0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53, -0x1p+0},
      {-0x1.921fb54442d18p+0, -0x1p+0, 0x1.1a62633145c07p-54},
      {0x1.2d97c7f3321d2p+2, -0x1p+0, -0x1.a79394c9e8a0ap-53},
      {-0x1.921fb54442d18p-1, -0x1.6a09e667f3bccp-1, 0x1.6a09e667f3bcdp-1},
      {0x1p-1, 0x1.eaee8744b05fp-2, 0x1.c1528065b7d5p-1},
      {0x1p+1, 0x1.d18f6ead1b446p-1, -0x1.aa22657537205p-2},
      {-0x1.8p+1, -0x1.210386db6d55bp-3, -0x1.fae04be85e5d2p-1},
      {0x1.91p+6, -0x1.1bf00980dc35cp-2, 0x1.ebec72ba6b0ecp-1},
      {0x1.81cd6c8b43958p+13, -0x1.687d5890974a5p-1, 0x1.6b94c3bbe24b8p-1},
      {-0x1.eadfb4c5d390cp+14, 0x1.116a342b4b4adp-41, 0x1p+0},
      {0x1.869ffd70a3d71p+16, 0x1.76b4ae3607f48p-5, -0x1.ff76d083e642fp-1},
      {-0x1.86ap+16, -0x1.24daa9c527e96p-5, -0x1.ffac3841b3da7p-1},
      {0x1.56e1fc2f8f359p-997, 0x1.56e1fc2f8f359p-997, 0x1p+0},
  };
  for (const Satir& s : satirlar) {
    SCOPED_TRACE(testing::Message() << std::hexfloat << s.x);
    const SinKos y = sinKos(s.x);
    EXPECT_NEAR(y.sin, s.sin, 2 * sonBirim(s.sin) + 7e-22);
    EXPECT_NEAR(y.kos, s.kos, 2 * sonBirim(s.kos) + 7e-22);
  }
}

TEST(SinKos, SinirDisindaKutuphaneKarar) {
  const double disari[] = {1e5 + 0.5,
                           -2e5,
                           1e300,
                           std::numeric_limits<double>::infinity(),
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
