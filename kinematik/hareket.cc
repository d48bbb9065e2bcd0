#include "kinematik/hareket.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "kinematik/kucukdizi.h"
#include "kinematik/satir_ici.h"
#include "kinematik/sinkos.h"

namespace vadu {

namespace {

constexpr double IKI_PI = 6.283185307179586;

double anahtarKareDegeri(const Yasa& yasa, double zaman) {
  const auto& k = yasa.anahtarlar;
  if (k.empty()) return yasa.deger;
  if (zaman <= k.front().first) return k.front().second;
  if (zaman >= k.back().first) return k.back().second;
  // The last key qualifies for every time that got this far, unless it is NaN.
  for (size_t i = 1; i < k.size(); ++i) {
    if (!(k[i].first >= zaman)) continue;  // a NaN time qualifies nowhere
    const auto& a = k[i - 1];
    const auto& b = k[i];
    const double dt = b.first - a.first;
    if (dt <= 1e-12) return b.second;
    return a.second + (b.second - a.second) * (zaman - a.first) / dt;
  }
  return k.back().second;
}

// The rotation eksenAci gives about a coordinate axis, without normalising
// the axis: a unit coordinate axis normalises to itself exactly.
Kuaterniyon eksenDonusu(double eksenX, double eksenY, double eksenZ, double aci) {
  const SinKos y = sinKos(aci / 2.0);
  return {eksenX * y.sin, eksenY * y.sin, eksenZ * y.sin, y.kos};
}

// a · (0, 0, s, c), the Hamilton product of a = `donus` with the rotation
// about z whose half angle has the sine s and cosine c, without the terms that
// multiply the zero components: for finite values they add only signed zeros,
// so every component comes out as the full product gives it.
Kuaterniyon zIleCarp(const Kuaterniyon& donus, const SinKos& yarimAci) {
  const double s = yarimAci.sin;
  const double c = yarimAci.kos;
  return {donus.x * c + donus.y * s, -(donus.x * s) + donus.y * c, donus.w * s + donus.z * c,
          donus.w * c - donus.z * s};
}

// Rescales to unit length a rotation that products of unit rotations have
// left within 1e-8 of unit squared length, n = 1 + e with e = `sapma`:
// normalize() without its square root and four divisions. One Newton step for
// 1/sqrt(n) from 1 gives 1 - e/2, off by at most 3e²/8 < 4e-17, below half a
// unit in the last place of 1.
VADU_SATIR_ICI Kuaterniyon yakiniBirimeCek(const Kuaterniyon& donus, double sapma) {
  const double k = 1.0 - 0.5 * sapma;
  return {donus.x * k, donus.y * k, donus.z * k, donus.w * k};
}

// Rescales to unit length: a rotation near unit length as above, any other as
// normalize() does everywhere else.
VADU_SATIR_ICI Kuaterniyon birimeCek(const Kuaterniyon& donus) {
  const double e = donus.nokta(donus) - 1.0;
  if (std::abs(e) <= 1e-8) [[likely]]
    return yakiniBirimeCek(donus, e);
  return donus.normalize();
}

bool olcekBirimMi(const Vektor3& olcek) {
  return olcek.x == 1.0 && olcek.y == 1.0 && olcek.z == 1.0;
}

// The inverse of an anchor: a scale of (1, 1, 1) has itself as its reciprocal
// and leaves the rotated translation as it is, so neither is computed.
Donusum capaTersi(const Donusum& capa) {
  if (olcekBirimMi(capa.olcek)) {
    Donusum r;
    r.donus = capa.donus.eslenik();
    r.konum = r.donus.dondur(-capa.konum);
    return r;
  }
  return capa.ters();
}

// capa · hareket as Donusum's operators evaluate it, but for the last step,
// the normalisation of the rotation, which is left to the caller: forward
// kinematics normalises only the composition that it builds from this. Left
// out is the work whose result is known exactly: the motion's scale is
// (1, 1, 1), a joint that only turns has no translation, and a turn about z
// has two zero components. A unit test holds the whole transform against the
// plain formula.
VADU_SATIR_ICI Donusum capaHareketiHam(const Mafsal& mafsal) {
  const double q0 = mafsal.sinirliQ(mafsal.q);
  const Donusum& c = mafsal.capa;

  Donusum ac;
  ac.olcek = c.olcek;
  Vektor3 oteleme;
  bool otelenir = false;
  switch (mafsal.tip) {
    case MafsalTip::Doner: ac.donus = zIleCarp(c.donus, sinKos(q0 / 2.0)); break;
    case MafsalTip::Kayar:
      oteleme = {0.0, 0.0, q0};
      otelenir = true;
      ac.donus = c.donus;
      break;
    case MafsalTip::Silindirik:
    case MafsalTip::Vida: {
      const double z = mafsal.tip == MafsalTip::Vida ? (q0 / IKI_PI) * mafsal.vidaAdim : mafsal.q2;
      oteleme = {0.0, 0.0, z};
      otelenir = true;
      ac.donus = zIleCarp(c.donus, sinKos(q0 / 2.0));
      break;
    }
    case MafsalTip::Kuresel: {
      // Not limited: the turn about x takes q as stored.
      const Kuaterniyon h = birimeCek(
          (eksenDonusu(0.0, 0.0, 1.0, mafsal.q3) * eksenDonusu(0.0, 1.0, 0.0, mafsal.q2)) *
          eksenDonusu(1.0, 0.0, 0.0, mafsal.q));
      ac.donus = c.donus * h;
      break;
    }
    case MafsalTip::Duzlemsel:
      oteleme = {q0, mafsal.q2, 0.0};
      otelenir = true;
      ac.donus = zIleCarp(c.donus, sinKos(mafsal.q3 / 2.0));
      break;
    case MafsalTip::Serbest:
      oteleme = {q0, mafsal.q2, mafsal.q3};
      otelenir = true;
      ac.donus = c.donus;
      break;
    default:  // Sabit and any value outside the kinds: no motion
      ac.donus = c.donus;
      break;
  }
  ac.konum = otelenir ? c.uygula(oteleme) : c.konum;
  return ac;
}

VADU_SATIR_ICI Donusum capaHareketi(const Mafsal& mafsal) {
  Donusum ac = capaHareketiHam(mafsal);
  ac.donus = birimeCek(ac.donus);
  return ac;
}

}  // namespace

double yasaDegeri(const Yasa& yasa, double zaman) {
  switch (yasa.tip) {
    case YasaTip::Sabit: return yasa.deger;
    case YasaTip::Dogrusal: return yasa.deger + yasa.egim * zaman;
    case YasaTip::Sinus:
      if (yasa.periyot <= 0.0) return yasa.deger;
      return yasa.deger + yasa.genlik * std::sin(IKI_PI * zaman / yasa.periyot + yasa.faz);
    case YasaTip::AnahtarKare: return anahtarKareDegeri(yasa, zaman);
  }
  return yasa.deger;
}

// Beside yasaDegeri, which it calls once per law on every step of a sweep.
void Mekanizma::yasalariUygula(double zaman) {
  for (const Yasa& y : yasalar_) {
    if (y.mafsal >= mafsallar_.size()) continue;
    Mafsal& m = mafsallar_[y.mafsal];
    const double v = yasaDegeri(y, zaman);
    if (y.degisken == 1) {
      m.q2 = v;
    } else if (y.degisken == 2) {
      m.q3 = v;
    } else {
      m.q = v;
    }
  }
}

Donusum mafsalDonusumu(const Mafsal& mafsal) {
  return capaHareketi(mafsal) * capaTersi(mafsal.capaCocuk);
}

namespace {

// Whether `donus` is unit to within a few units in the last place of 1, as
// eksenAci and normalize leave a rotation: rotating by it or by its
// normalised self then differs only by rounding.
bool donusBirimMi(const Kuaterniyon& donus) { return std::abs(donus.nokta(donus) - 1.0) <= 1e-15; }

bool pozBirimMi(const Donusum& poz) { return olcekBirimMi(poz.olcek) && donusBirimMi(poz.donus); }

// The plain order, out of line: the loop below then holds only the common
// case. Far from unit length the anchor's own normalisation may fall back to
// the identity, which one normalisation of the whole cannot reproduce.
[[gnu::noinline]] Donusum duzCocukDunyasi(const Donusum& ana, Donusum ilkYari,
                                          const Donusum& capaCocuk, uint8_t& birimMi) {
  ilkYari.donus = birimeCek(ilkYari.donus);
  const Donusum r = ana * (ilkYari * capaTersi(capaCocuk));
  birimMi = pozBirimMi(r);
  return r;
}

// The child's world pose from its parent's, `ana`, and the joint's first half,
// `ilkYari`, its rotation not yet normalised. `uygun` tells whether both
// anchors keep scale 1 and the child's anchor turns by a unit rotation;
// `birimMi`, whether the parent has scale 1 and a unit rotation, and it is
// then set for the child.
//
// With all of that, the plain ana · ((capa · motion) · capaCocuk⁻¹) regroups
// into one rotation, ana.donus · (hareket.donus · capaCocuk.donus*),
// normalised once, and the translation
// ana.konum + ana.donus(hareket.konum) + donus(−capaCocuk.konum): two
// rotations of a vector and one normalisation in place of four and three.
// The values differ from the plain order only by rounding; anything else
// takes the plain order. kinematik_ileri_olcum prints what this saves.
VADU_SATIR_ICI Donusum cocukDunyasi(const Donusum& ana, const Donusum& ilkYari,
                                    const Mafsal& mafsal, bool uygun, uint8_t& birimMi) {
  const Donusum& cc = mafsal.capaCocuk;
  if (uygun && birimMi) [[likely]] {
    // The parent's rotation last, so that the product that does not depend
    // on it is not on the chain of parents.
    const Kuaterniyon d = ana.donus * (ilkYari.donus * cc.donus.eslenik());
    const double e = d.nokta(d) - 1.0;
    if (std::abs(e) <= 1e-8) [[likely]] {
      Donusum r;
      r.donus = yakiniBirimeCek(d, e);
      r.konum = (ana.konum + ana.donus.dondur(ilkYari.konum)) + r.donus.dondur(-cc.konum);
      return r;
    }
  }
  return duzCocukDunyasi(ana, ilkYari, cc, birimMi);
}

}  // namespace

// One function for the whole chain, so that the poses can stay in registers
// from one joint to the next instead of going through returned temporaries.
// The first halves, capa · motion with their sines and cosines, and the tests
// of the anchors do not depend on one another, so they are computed first,
// the halves into the children's slots, whose base poses are no longer needed:
// none of that work waits on the chain of compositions. Every parent is final
// before its children, as the order places the parents first.
void cocuklariYerlestir(const std::vector<Mafsal>& mafsallar, const size_t* sira, size_t adet,
                        size_t uzuvSayisi, Donusum* dunya) {
  KucukDizi<uint8_t> uygun(adet);
  for (size_t k = 0; k < adet; ++k) {
    const Mafsal& m = mafsallar[sira[k]];
    dunya[m.cocuk] = capaHareketiHam(m);
    uygun[k] = olcekBirimMi(m.capa.olcek) && olcekBirimMi(m.capaCocuk.olcek) &&
               donusBirimMi(m.capaCocuk.donus);
  }
  // Only placed links are parents; the fast path's results have scale 1 and
  // a unit rotation by construction.
  KucukDizi<uint8_t> birimMi(uzuvSayisi);
  birimMi[0] = pozBirimMi(dunya[0]);
  for (size_t k = 0; k < adet; ++k) {
    const Mafsal& m = mafsallar[sira[k]];
    uint8_t cocukBirimMi = birimMi[m.ana];
    dunya[m.cocuk] = cocukDunyasi(dunya[m.ana], dunya[m.cocuk], m, uygun[k], cocukBirimMi);
    birimMi[m.cocuk] = cocukBirimMi;
  }
}

}  // namespace vadu
