#include "kinematik/hareket.h"

#include <cmath>
#include <cstddef>

namespace vadu {

namespace {

constexpr double IKI_PI = 6.283185307179586;

double anahtarKareDegeri(const Yasa& y, double t) {
  const auto& k = y.anahtarlar;
  if (k.empty()) return y.deger;
  if (t <= k.front().first) return k.front().second;
  if (t >= k.back().first) return k.back().second;
  // The last key qualifies for every t that got this far, unless t is NaN.
  for (size_t i = 1; i < k.size(); ++i) {
    if (!(k[i].first >= t)) continue;  // a NaN t qualifies nowhere
    const auto& a = k[i - 1];
    const auto& b = k[i];
    const double dt = b.first - a.first;
    if (dt <= 1e-12) return b.second;
    return a.second + (b.second - a.second) * (t - a.first) / dt;
  }
  return k.back().second;
}

// The rotation eksenAci gives about a coordinate axis, without normalising
// the axis: a unit coordinate axis normalises to itself exactly.
Kuaterniyon eksenDonusu(double ax, double ay, double az, double aci) {
  const double s = std::sin(aci / 2.0);
  return {ax * s, ay * s, az * s, std::cos(aci / 2.0)};
}

// a · (0, 0, s, c), the Hamilton product with a rotation about z, without the
// terms that multiply the zero components: for finite values they add only
// signed zeros, so every component comes out as the full product gives it.
Kuaterniyon zIleCarp(const Kuaterniyon& a, double s, double c) {
  return {a.x * c + a.y * s, -(a.x * s) + a.y * c, a.w * s + a.z * c, a.w * c - a.z * s};
}

// The inverse of an anchor: a scale of (1, 1, 1) has itself as its reciprocal
// and leaves the rotated translation as it is, so neither is computed.
Donusum capaTersi(const Donusum& d) {
  if (d.olcek.x == 1.0 && d.olcek.y == 1.0 && d.olcek.z == 1.0) {
    Donusum r;
    r.donus = d.donus.eslenik();
    r.konum = r.donus.dondur(-d.konum);
    return r;
  }
  return d.ters();
}

}  // namespace

double yasaDegeri(const Yasa& y, double t) {
  switch (y.tip) {
    case YasaTip::Sabit:
      return y.deger;
    case YasaTip::Dogrusal:
      return y.deger + y.egim * t;
    case YasaTip::Sinus:
      if (y.periyot <= 0.0) return y.deger;
      return y.deger + y.genlik * std::sin(IKI_PI * t / y.periyot + y.faz);
    case YasaTip::AnahtarKare:
      return anahtarKareDegeri(y, t);
  }
  return y.deger;
}

// Evaluates capa · hareket as Donusum's operators do, leaving out the work
// whose result is known exactly: the motion's scale is (1, 1, 1), a joint
// that only turns has no translation, and a turn about z has two zero
// components. A unit test holds the whole transform against the plain formula.
Donusum capaHareketi(const Mafsal& m) {
  const double q0 = m.sinirliQ(m.q);
  const Donusum& c = m.capa;

  Donusum ac;
  ac.olcek = c.olcek;
  Vektor3 oteleme;
  bool otelenir = false;
  switch (m.tip) {
    case MafsalTip::Doner: {
      const double s = std::sin(q0 / 2.0);
      ac.donus = zIleCarp(c.donus, s, std::cos(q0 / 2.0)).normalize();
      break;
    }
    case MafsalTip::Kayar:
      oteleme = {0.0, 0.0, q0};
      otelenir = true;
      ac.donus = c.donus.normalize();
      break;
    case MafsalTip::Silindirik:
    case MafsalTip::Vida: {
      const double z = m.tip == MafsalTip::Vida ? (q0 / IKI_PI) * m.vidaAdim : m.q2;
      oteleme = {0.0, 0.0, z};
      otelenir = true;
      const double s = std::sin(q0 / 2.0);
      ac.donus = zIleCarp(c.donus, s, std::cos(q0 / 2.0)).normalize();
      break;
    }
    case MafsalTip::Kuresel: {
      // Not limited: the turn about x takes q as stored.
      const Kuaterniyon h = ((eksenDonusu(0.0, 0.0, 1.0, m.q3) * eksenDonusu(0.0, 1.0, 0.0, m.q2)) *
                             eksenDonusu(1.0, 0.0, 0.0, m.q))
                                .normalize();
      ac.donus = (c.donus * h).normalize();
      break;
    }
    case MafsalTip::Duzlemsel: {
      oteleme = {q0, m.q2, 0.0};
      otelenir = true;
      const double s = std::sin(m.q3 / 2.0);
      ac.donus = zIleCarp(c.donus, s, std::cos(m.q3 / 2.0)).normalize();
      break;
    }
    case MafsalTip::Serbest:
      oteleme = {q0, m.q2, m.q3};
      otelenir = true;
      ac.donus = c.donus.normalize();
      break;
    default:  // Sabit and any value outside the kinds: no motion
      ac.donus = c.donus.normalize();
      break;
  }
  ac.konum = otelenir ? c.uygula(oteleme) : c.konum;
  return ac;
}

Donusum capaCocugaGetir(const Donusum& capaHareketi, const Mafsal& m) {
  return capaHareketi * capaTersi(m.capaCocuk);
}

Donusum mafsalDonusumu(const Mafsal& m) { return capaCocugaGetir(capaHareketi(m), m); }

}  // namespace vadu
