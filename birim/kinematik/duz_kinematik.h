// The joint transform and forward kinematics evaluated the plain way, straight
// from the pose operators: the definition that the library's leaner evaluation
// must match. The unit tests of the motion and the mechanism hold the library
// to it (duz_formul.h adds their compares), and the forward-kinematics
// benchmark measures the library against it.
#pragma once

#include <cstddef>
#include <vector>

#include "kinematik/geometri.h"
#include "kinematik/mekanizma.h"

namespace vadu::duz {

inline const Vektor3 X{1, 0, 0};
inline const Vektor3 Y{0, 1, 0};
inline const Vektor3 Z{0, 0, 1};

// The motion of a joint as a pose, every rotation from eksenAci.
inline Donusum hareket(const Mafsal& m) {
  Donusum h;
  const double q0 = m.sinirliQ(m.q);
  switch (m.tip) {
    case MafsalTip::Doner: h.donus = Kuaterniyon::eksenAci(Z, q0); break;
    case MafsalTip::Kayar: h.konum = {0, 0, q0}; break;
    case MafsalTip::Silindirik:
      h.konum = {0, 0, m.q2};
      h.donus = Kuaterniyon::eksenAci(Z, q0);
      break;
    case MafsalTip::Vida:
      h.konum = {0, 0, (q0 / 6.283185307179586) * m.vidaAdim};
      h.donus = Kuaterniyon::eksenAci(Z, q0);
      break;
    case MafsalTip::Kuresel:
      h.donus = ((Kuaterniyon::eksenAci(Z, m.q3) * Kuaterniyon::eksenAci(Y, m.q2)) *
                 Kuaterniyon::eksenAci(X, m.q))
                    .normalize();
      break;
    case MafsalTip::Duzlemsel:
      h.konum = {q0, m.q2, 0};
      h.donus = Kuaterniyon::eksenAci(Z, m.q3);
      break;
    case MafsalTip::Serbest: h.konum = {q0, m.q2, m.q3}; break;
    default: break;
  }
  return h;
}

inline Donusum mafsalDonusumuDuz(const Mafsal& m) {
  return (m.capa * hareket(m)) * m.capaCocuk.ters();
}

// Passes over the joints until one places nothing, as the model describes it.
inline std::vector<Donusum> ileriKinematikDuz(const Mekanizma& mek) {
  const size_t n = mek.uzuvlar().size();
  std::vector<Donusum> dunya;
  for (const Uzuv& u : mek.uzuvlar()) dunya.push_back(u.taban);
  if (n == 0) return dunya;
  std::vector<bool> cozuldu(n, false);
  cozuldu[0] = true;
  for (size_t gecis = 0; gecis < n; ++gecis) {
    bool degisti = false;
    for (const Mafsal& m : mek.mafsallar()) {
      if (m.ana >= n || m.cocuk >= n) continue;
      if (cozuldu[m.ana] && !cozuldu[m.cocuk]) {
        dunya[m.cocuk] = dunya[m.ana] * mafsalDonusumuDuz(m);
        cozuldu[m.cocuk] = true;
        degisti = true;
      }
    }
    if (!degisti) break;
  }
  return dunya;
}

}  // namespace vadu::duz
