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
  constexpr Vektor3(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}

  constexpr Vektor3 operator+(const Vektor3& b) const { return {x + b.x, y + b.y, z + b.z}; }
  constexpr Vektor3 operator-(const Vektor3& b) const { return {x - b.x, y - b.y, z - b.z}; }
  constexpr Vektor3 operator-() const { return {-x, -y, -z}; }
  constexpr Vektor3 operator*(double s) const { return {x * s, y * s, z * s}; }
  // No guard: a zero divisor gives what the arithmetic gives.
  constexpr Vektor3 operator/(double s) const { return {x / s, y / s, z / s}; }

  constexpr double uzunlukKare() const { return x * x + y * y + z * z; }
  double uzunluk() const { return std::sqrt(uzunlukKare()); }

  // Divides only above 1e-7; a shorter vector has no direction and becomes zero.
  Vektor3 normalize() const {
    const double l = uzunluk();
    if (l > 1e-7) return *this / l;
    return {};
  }

  constexpr Vektor3 capraz(const Vektor3& b) const {
    return {y * b.z - z * b.y, z * b.x - x * b.z, x * b.y - y * b.x};
  }
};

struct Kuaterniyon {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
  double w = 1.0;

  constexpr Kuaterniyon() = default;
  constexpr Kuaterniyon(double x_, double y_, double z_, double w_) : x(x_), y(y_), z(z_), w(w_) {}

  // A zero axis gives (0, 0, 0, cos(aci / 2)), which is not of unit length.
  static Kuaterniyon eksenAci(const Vektor3& eksen, double aci) {
    const Vektor3 a = eksen.normalize();
    const double s = std::sin(aci / 2.0);
    return {a.x * s, a.y * s, a.z * s, std::cos(aci / 2.0)};
  }

  // Hamilton product, not normalised.
  constexpr Kuaterniyon operator*(const Kuaterniyon& b) const {
    return {w * b.x + x * b.w + y * b.z - z * b.y, w * b.y - x * b.z + y * b.w + z * b.x,
            w * b.z + x * b.y - y * b.x + z * b.w, w * b.w - x * b.x - y * b.y - z * b.z};
  }

  constexpr Kuaterniyon eslenik() const { return {-x, -y, -z, w}; }
  constexpr double nokta(const Kuaterniyon& o) const {
    return x * o.x + y * o.y + z * o.z + w * o.w;
  }
  double uzunluk() const { return std::sqrt(nokta(*this)); }

  // Falls back to the identity only below 1e-7: the opposite strictness of
  // Vektor3::normalize, so a length of exactly 1e-7 is still divided.
  Kuaterniyon normalize() const {
    const double l = uzunluk();
    if (l < 1e-7) return {};
    return {x / l, y / l, z / l, w / l};
  }

  // Rotates v; exact for a unit quaternion, the input is not normalised.
  constexpr Vektor3 dondur(const Vektor3& v) const {
    const Vektor3 q{x, y, z};
    const Vektor3 t = q.capraz(v) * 2.0;
    return (v + t * w) + q.capraz(t);
  }
};

struct Donusum {
  Vektor3 konum;
  Kuaterniyon donus;
  Vektor3 olcek{1.0, 1.0, 1.0};

  constexpr Vektor3 uygula(const Vektor3& p) const {
    return donus.dondur({p.x * olcek.x, p.y * olcek.y, p.z * olcek.z}) + konum;
  }

  // The pose that applies b first, then this one. The rotation is normalised so
  // that chains of poses keep unit rotations.
  Donusum operator*(const Donusum& b) const {
    Donusum r;
    r.konum = uygula(b.konum);
    r.donus = (donus * b.donus).normalize();
    r.olcek = {olcek.x * b.olcek.x, olcek.y * b.olcek.y, olcek.z * b.olcek.z};
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
  constexpr void genislet(const Vektor3& p) {
    if (p.x < min.x) min.x = p.x;
    if (p.y < min.y) min.y = p.y;
    if (p.z < min.z) min.z = p.z;
    if (max.x < p.x) max.x = p.x;
    if (max.y < p.y) max.y = p.y;
    if (max.z < p.z) max.z = p.z;
  }

  constexpr Vektor3 boyut() const {
    if (gecerli()) return max - min;
    return {};
  }

  // The axis-aligned box around k's eight corners moved by d (x changing
  // fastest, then y, then z); an invalid k gives the empty box.
  static constexpr Kutu donustur(const Kutu& k, const Donusum& d) {
    Kutu out;
    if (!k.gecerli()) return out;
    for (int i = 0; i < 8; ++i) {
      const Vektor3 kose{(i & 1) ? k.max.x : k.min.x, (i & 2) ? k.max.y : k.min.y,
                         (i & 4) ? k.max.z : k.min.z};
      out.genislet(d.uygula(kose));
    }
    return out;
  }
};

}  // namespace vadu
