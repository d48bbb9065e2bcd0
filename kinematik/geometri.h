// Geometry values of the kinematics: a 3-vector, a quaternion (w last), a pose
// (scale per axis, then rotate, then translate) and an axis-aligned box. All
// plain aggregates of doubles, inline, never allocating: forward kinematics,
// the loop-closure solver and the collision sweep run them in inner loops.
#pragma once

#include <cfloat>
#include <cmath>

namespace vadu {

struct Vektor3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  constexpr Vektor3() = default;
  constexpr Vektor3(double xBileseni, double yBileseni, double zBileseni)
      : x(xBileseni), y(yBileseni), z(zBileseni) {}

  constexpr Vektor3 operator+(const Vektor3& diger) const {
    return {x + diger.x, y + diger.y, z + diger.z};
  }
  constexpr Vektor3 operator-(const Vektor3& diger) const {
    return {x - diger.x, y - diger.y, z - diger.z};
  }
  constexpr Vektor3 operator-() const { return {-x, -y, -z}; }
  constexpr Vektor3 operator*(double carpan) const { return {x * carpan, y * carpan, z * carpan}; }
  // No guard: a zero divisor gives what the arithmetic gives.
  constexpr Vektor3 operator/(double bolen) const { return {x / bolen, y / bolen, z / bolen}; }

  constexpr double uzunlukKare() const { return x * x + y * y + z * z; }
  double uzunluk() const { return std::sqrt(uzunlukKare()); }

  // Divides only above 1e-7; a shorter vector has no direction and becomes zero.
  Vektor3 normalize() const {
    const double l = uzunluk();
    if (l > 1e-7) return *this / l;
    return {};
  }

  constexpr Vektor3 capraz(const Vektor3& diger) const {
    return {y * diger.z - z * diger.y, z * diger.x - x * diger.z, x * diger.y - y * diger.x};
  }
};

struct Kuaterniyon {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  double w = 1.0;

  constexpr Kuaterniyon() = default;
  constexpr Kuaterniyon(double xBileseni, double yBileseni, double zBileseni, double wBileseni)
      : x(xBileseni), y(yBileseni), z(zBileseni), w(wBileseni) {}

  // A zero axis gives (0, 0, 0, cos(aci / 2)), which is not of unit length.
  static Kuaterniyon eksenAci(const Vektor3& eksen, double aci) {
    const Vektor3 a = eksen.normalize();
    const double s = std::sin(aci / 2.0);
    return {a.x * s, a.y * s, a.z * s, std::cos(aci / 2.0)};
  }

  // Hamilton product, not normalised.
  constexpr Kuaterniyon operator*(const Kuaterniyon& diger) const {
    return {w * diger.x + x * diger.w + y * diger.z - z * diger.y,
            w * diger.y - x * diger.z + y * diger.w + z * diger.x,
            w * diger.z + x * diger.y - y * diger.x + z * diger.w,
            w * diger.w - x * diger.x - y * diger.y - z * diger.z};
  }

  constexpr Kuaterniyon eslenik() const { return {-x, -y, -z, w}; }
  constexpr double nokta(const Kuaterniyon& diger) const {
    return x * diger.x + y * diger.y + z * diger.z + w * diger.w;
  }
  double uzunluk() const { return std::sqrt(nokta(*this)); }

  // Falls back to the identity only below 1e-7: the opposite strictness of
  // Vektor3::normalize, so a length of exactly 1e-7 is still divided.
  Kuaterniyon normalize() const {
    const double l = uzunluk();
    if (l < 1e-7) return {};
    return {x / l, y / l, z / l, w / l};
  }

  // Rotates `vektor`; exact for a unit quaternion, the input is not normalised.
  constexpr Vektor3 dondur(const Vektor3& vektor) const {
    const Vektor3 q{x, y, z};
    const Vektor3 t = q.capraz(vektor) * 2.0;
    return (vektor + t * w) + q.capraz(t);
  }
};

struct Donusum {
  Vektor3 konum;
  Kuaterniyon donus;
  Vektor3 olcek{1.0, 1.0, 1.0};

  constexpr Vektor3 uygula(const Vektor3& nokta) const {
    return donus.dondur({nokta.x * olcek.x, nokta.y * olcek.y, nokta.z * olcek.z}) + konum;
  }

  // The pose that applies `diger` first, then this one. The rotation is
  // normalised so that chains of poses keep unit rotations.
  Donusum operator*(const Donusum& diger) const {
    Donusum r;
    r.konum = uygula(diger.konum);
    r.donus = (donus * diger.donus).normalize();
    r.olcek = {olcek.x * diger.olcek.x, olcek.y * diger.olcek.y, olcek.z * diger.olcek.z};
    return r;
  }

  // Scales after rotating, where a pose scales before: an exact inverse only for
  // a uniform scale or an identity rotation. A zero scale gives an infinity.
  Donusum ters() const {
    const Kuaterniyon kd = donus.eslenik();
    const Vektor3 ko{1.0 / olcek.x, 1.0 / olcek.y, 1.0 / olcek.z};
    const Vektor3 ky = kd.dondur(-konum);
    Donusum r;
    r.konum = {ky.x * ko.x, ky.y * ko.y, ky.z * ko.z};
    r.donus = kd;
    r.olcek = ko;
    return r;
  }
};

struct Kutu {
  // Empty: every expansion by a point replaces both bounds.
  Vektor3 min{DBL_MAX, DBL_MAX, DBL_MAX};
  Vektor3 max{-DBL_MAX, -DBL_MAX, -DBL_MAX};

  // Each comparison fails for a NaN bound, so such a box is not valid.
  constexpr bool gecerli() const { return max.x >= min.x && max.y >= min.y && max.z >= min.z; }

  // A NaN coordinate fails both comparisons and leaves its axis as it was.
  constexpr void genislet(const Vektor3& nokta) {
    if (nokta.x < min.x) min.x = nokta.x;
    if (nokta.y < min.y) min.y = nokta.y;
    if (nokta.z < min.z) min.z = nokta.z;
    if (max.x < nokta.x) max.x = nokta.x;
    if (max.y < nokta.y) max.y = nokta.y;
    if (max.z < nokta.z) max.z = nokta.z;
  }

  constexpr Vektor3 boyut() const {
    if (gecerli()) return max - min;
    return {};
  }

  // The axis-aligned box around the eight corners of `kutu` moved by
  // `donusum` (x changing fastest, then y, then z); an invalid box gives the
  // empty box.
  static constexpr Kutu donustur(const Kutu& kutu, const Donusum& donusum) {
    Kutu out;
    if (!kutu.gecerli()) return out;
    for (int i = 0; i < 8; ++i) {
      const Vektor3 kose{(i & 1) ? kutu.max.x : kutu.min.x, (i & 2) ? kutu.max.y : kutu.min.y,
                         (i & 4) ? kutu.max.z : kutu.min.z};
      out.genislet(donusum.uygula(kose));
    }
    return out;
  }
};

}  // namespace vadu
