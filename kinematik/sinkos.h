// Sine and cosine of one angle at once, for the joint motions that forward
// kinematics evaluates on every pass; kinematik_ileri_olcum prints what it
// costs beside the C library's and its share of a pass. Made of additions and
// multiplications only, it gives the same bits with every toolchain and C
// library, where those differ among themselves: glibc's sine stays within a
// unit in the last place of the true value, MinGW's is off by up to 2.2e-16,
// far more than a unit next to a multiple of π/2.
//
// For |aci| <= 1e5 both values are within two units in the last place of the
// correctly rounded ones plus an absolute 7e-22, which the reduction below
// leaves. Only next to the multiples of π/2 other than 0, where the result is
// near zero, is that absolute part more than a unit in its last place; there
// it is many, billions at the doubles closest to such a multiple. sinkos_test
// holds the bound at the worst cases found.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace vadu {

struct SinKos {
  double sin = 0.0;
  double kos = 1.0;
};

// `aci` is brought to r in [-π/4, π/4] with aci = r + k·π/2, then sine and
// cosine of r come from their Taylor series to the 17th and 16th power, whose
// first left out terms are below 1e-17 there. π/2 is split so that k times the
// first part is exact for every k the guard lets through; the second part is
// the rest rounded to a double, and k times its rounding error, with the
// rounding of k times it, is the absolute 7e-22 that r may be off by at |k| up
// to 63662. Beyond the guard (and for NaN and the infinities) the library's
// functions decide; a zero keeps its sign.
inline SinKos sinKos(double aci) {
  if (aci == 0.0) return {aci, 1.0};
  if (!(std::abs(aci) <= 1e5)) return {std::sin(aci), std::cos(aci)};
  constexpr double IKI_BOLU_PI = 0.6366197723675814;
  constexpr double PI_YARIM_UST = 1.5707963267341256;        // 33 significant bits
  constexpr double PI_YARIM_ALT = 6.077100506506192e-11;     // π/2 less the above
  constexpr double YUVARLA = 6755399441055744.0;             // 1.5 · 2^52
  const double k = (aci * IKI_BOLU_PI + YUVARLA) - YUVARLA;  // nearest integer
  const double r = (aci - k * PI_YARIM_UST) - k * PI_YARIM_ALT;
  const double z = r * r;

  // The two series as one of pairs, sine's coefficients 1/n! for odd n from 3
  // to 17 with the signs of the series in the first lane, cosine's for even n
  // from 2 to 16 in the second: each step of Horner's rule is one multiply
  // and one add of two lanes, each lane rounded as alone.
  using Cift = double __attribute__((vector_size(16)));
  const Cift zz = {z, z};
  Cift p = Cift{2.8114572543455206e-15, 4.779477332387385e-14};
  p = p * zz + Cift{-7.647163731819816e-13, -1.1470745597729725e-11};
  p = p * zz + Cift{1.6059043836821613e-10, 2.08767569878681e-09};
  p = p * zz + Cift{-2.505210838544172e-08, -2.755731922398589e-07};
  p = p * zz + Cift{2.7557319223985893e-06, 2.48015873015873e-05};
  p = p * zz + Cift{-0.0001984126984126984, -0.001388888888888889};
  p = p * zz + Cift{0.008333333333333333, 0.041666666666666664};
  p = p * zz + Cift{-0.16666666666666666, -0.5};
  const double s = r + r * z * p[0];
  const double c = 1.0 + z * p[1];

  // The quarter turn k mod 4 swaps the two and sets their signs; done on the
  // bits, as a turning joint's quarter changes with no pattern to predict.
  const uint64_t ceyrek = static_cast<uint64_t>(static_cast<int64_t>(k));
  const uint64_t takas = uint64_t{0} - (ceyrek & 1);
  const uint64_t sb = std::bit_cast<uint64_t>(s);
  const uint64_t cb = std::bit_cast<uint64_t>(c);
  const uint64_t os = ((sb & ~takas) | (cb & takas)) ^ ((ceyrek & 2) << 62);
  const uint64_t oc = ((cb & ~takas) | (sb & takas)) ^ (((ceyrek + 1) & 2) << 62);
  return {std::bit_cast<double>(os), std::bit_cast<double>(oc)};
}

}  // namespace vadu
