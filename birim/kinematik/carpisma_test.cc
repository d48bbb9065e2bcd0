#include "kinematik/carpisma.h"

#include <gtest/gtest.h>

#include <limits>

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

}  // namespace
}  // namespace vadu
