// The mechanism model: rigid links joined by joints of eight kinds, with motion
// laws that drive joint variables over time. Links, joints and laws refer to
// each other by index into the mechanism's lists; nothing checks an index when
// it is added, and each operation that follows one skips it when out of range.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "kinematik/geometri.h"

namespace vadu {

enum class MafsalTip : uint8_t {
  Sabit = 0,
  Doner = 1,
  Kayar = 2,
  Silindirik = 3,
  Vida = 4,
  Kuresel = 5,
  Duzlemsel = 6,
  Serbest = 7,
};

// Any other value behaves as Sabit.
enum class YasaTip : uint8_t {
  Sabit = 0,
  Dogrusal = 1,
  Sinus = 2,
  AnahtarKare = 3,
};

// The UTF-8 display name of a joint kind; "?" for a value outside the kinds.
const char* mafsalTipAdi(MafsalTip tip);
// The freedoms of a joint kind; 0 for a value outside the kinds.
int mafsalSerbestlik(MafsalTip tip);

struct Uzuv {
  std::string ad;
  uint32_t sahne = 0;  // scene node showing the body; 0 is none
  Donusum taban;       // world pose before any joint places the link
};

struct Mafsal {
  std::string ad;
  MafsalTip tip = MafsalTip::Doner;
  size_t ana = 0;     // parent link
  size_t cocuk = 0;   // child link
  Donusum capa;       // joint frame on the parent, relative to the parent
  Donusum capaCocuk;  // joint frame on the child, relative to the child
  double q = 0.0;
  double q2 = 0.0;
  double q3 = 0.0;
  double vidaAdim = 1.0;  // screw travel per full turn of q
  // Lower above upper: no limits. The limits bind q only.
  double sinirAlt = 1.0;
  double sinirUst = -1.0;

  bool sinirVar() const { return sinirUst >= sinirAlt; }
  // `deger` clamped to the limits, unchanged without limits.
  double sinirliQ(double deger) const {
    if (!sinirVar()) return deger;
    if (deger < sinirAlt) return sinirAlt;
    if (sinirUst < deger) return sinirUst;
    return deger;
  }
};

struct Yasa {
  size_t mafsal = 0;  // driven joint
  YasaTip tip = YasaTip::Sabit;
  int32_t degisken = 0;  // 1 drives q2, 2 drives q3, anything else q
  double deger = 0.0;
  double egim = 0.0;
  double genlik = 0.0;
  double periyot = 1.0;
  double faz = 0.0;
  // (time, value) in stored order; nothing sorts them.
  std::vector<std::pair<double, double>> anahtarlar;
};

class Mekanizma {
 public:
  size_t uzuvEkle(std::string ad, uint32_t sahne, const Donusum& taban);
  size_t mafsalEkle(Mafsal mafsal);
  size_t yasaEkle(Yasa yasa);

  const std::vector<Uzuv>& uzuvlar() const { return uzuvlar_; }
  const std::vector<Mafsal>& mafsallar() const { return mafsallar_; }
  const std::vector<Yasa>& yasalar() const { return yasalar_; }

  // 6 per free link less 6 per joint plus each joint's freedoms; may be negative.
  int serbestlikDerecesi() const;
  // True when the joints form a spanning tree of all links rooted at link 0,
  // each pointing from parent to child.
  bool agacGecerli() const;

  // Writes each law's value at `zaman`, unclamped, into the variable it drives
  // (q2 for `degisken` 1, q3 for 2, q otherwise); a law naming a joint outside
  // the list is skipped, and of two laws on one variable the later wins.
  void yasalariUygula(double zaman);

  // One world pose per link. Link 0 keeps its base pose; the tree of
  // agacHalkaAyir places the others, each as its parent's world pose composed
  // with the joint transform. A link the tree does not reach keeps its base.
  // The placing is the fast path cocuklariYerlestir of kinematik/hareket.h,
  // equal to the plain definition within rounding. That definition, the
  // compositions of the pose operators in the order written above, is
  // duz::ileriKinematikDuz in birim/kinematik/duz_kinematik.h; the tests
  // Mekanizma.IleriKinematikDuzFormulIleAyni and
  // Mekanizma.IleriKinematikOzelPozlarDuzFormulIleAyni (mekanizma_test.cc)
  // hold the fast path to it within 1e-12, and Hareket.DuzFormulIleAyni
  // (hareket_test.cc) holds mafsalDonusumu to duz::mafsalDonusumuDuz.
  std::vector<Donusum> ileriKinematik() const;

  // The loop joints of agacHalkaAyir for this mechanism.
  std::vector<size_t> halkaMafsallari() const;

  // Closes the loops by adjusting the q of every joint that may move (in range,
  // not in `surulen`, with freedoms), never q2 or q3: damped Gauss-Newton with
  // a forward-difference Jacobian and a halving line search. True when the
  // final residual norm is at most `tol` or there is no loop. `artik`, when not
  // null, receives that norm, 0.0 with no loop, or -1.0 when nothing may move.
  // `normlar`, when not null, receives the norm before the first iteration and
  // after each accepted one; it only watches the solve.
  bool halkalariKapat(const std::vector<size_t>& surulen, int maxIter, double tol, double* artik,
                      std::vector<double>* normlar = nullptr);

 private:
  std::vector<Uzuv> uzuvlar_;
  std::vector<Mafsal> mafsallar_;
  std::vector<Yasa> yasalar_;
};

// Splits the joints into the spanning tree grown from link 0 and the loop
// joints. The tree grows in passes over the joint list: a joint whose parent
// is placed and whose child is not places the child at once. `agacta` gets one
// flag per joint (1 for a tree joint); `halka` the in-range joints that are not
// tree joints, ascending. A joint with an index outside the links is in
// neither; with no links there is neither.
void agacHalkaAyir(const std::vector<Mafsal>& mafsallar, size_t uzuvSayisi,
                   std::vector<uint8_t>& agacta, std::vector<size_t>& halka);

}  // namespace vadu
