#include "kinematik/carpisma.h"

#include <algorithm>
#include <cstdint>

namespace vadu {

double ortusmeOrani(const Kutu& birinci, const Kutu& ikinci) {
  const double dx = std::min(birinci.max.x, ikinci.max.x) - std::max(birinci.min.x, ikinci.min.x);
  const double dy = std::min(birinci.max.y, ikinci.max.y) - std::max(birinci.min.y, ikinci.min.y);
  const double dz = std::min(birinci.max.z, ikinci.max.z) - std::max(birinci.min.z, ikinci.min.z);
  if (!(dx > 0.0) || !(dy > 0.0) || !(dz > 0.0)) return 0.0;
  const Vektor3 ba = birinci.boyut();
  const Vektor3 bb = ikinci.boyut();
  const double s = std::min(ba.x * ba.y * ba.z, bb.x * bb.y * bb.z);
  if (s > 1e-12) return (dx * dy * dz) / s;
  return 0.0;
}

std::vector<Carpisma> carpismaTara(Mekanizma& mek, const std::vector<Kutu>& yerelKutular, double t0,
                                   double t1, int adim, bool komsuAtla) {
  std::vector<Carpisma> sonuc;
  const size_t n = mek.uzuvlar().size();
  if (n < 2 || yerelKutular.empty() || adim < 1) return sonuc;

  std::vector<uint8_t> komsu(n * n, 0);
  if (komsuAtla) {
    for (const Mafsal& mf : mek.mafsallar()) {
      if (mf.ana >= n || mf.cocuk >= n) continue;
      komsu[mf.ana * n + mf.cocuk] = 1;
      komsu[mf.cocuk * n + mf.ana] = 1;
    }
  }
  std::vector<uint8_t> bulundu(n * n, 0);
  const bool halkaVar = !mek.halkaMafsallari().empty();
  // The laws stay the same through the sweep: only the joints they drive move.
  std::vector<size_t> surulen;
  if (halkaVar) {
    surulen.reserve(mek.yasalar().size());
    for (const Yasa& y : mek.yasalar()) surulen.push_back(y.mafsal);
  }
  const size_t kutuSayisi = std::min(n, yerelKutular.size());
  // Links without a box of their own keep the empty box at every step.
  std::vector<Kutu> kutu(n);

  for (int s = 0; s < adim; ++s) {
    const double t =
        adim == 1 ? t0 : t0 + ((t1 - t0) * static_cast<double>(s)) / static_cast<double>(adim - 1);
    mek.yasalariUygula(t);
    // A step whose loops stay open is still tested with the poses it has.
    if (halkaVar) mek.halkalariKapat(surulen, 60, 1e-7, nullptr);
    const std::vector<Donusum> dunya = mek.ileriKinematik();
    for (size_t i = 0; i < kutuSayisi; ++i) kutu[i] = Kutu::donustur(yerelKutular[i], dunya[i]);

    for (size_t i = 0; i < n; ++i) {
      if (!kutu[i].gecerli()) continue;
      for (size_t j = i + 1; j < n; ++j) {
        if (!kutu[j].gecerli() || bulundu[i * n + j]) continue;
        if (komsuAtla && komsu[i * n + j]) continue;
        const double oran = ortusmeOrani(kutu[i], kutu[j]);
        if (oran > 0.0) {
          bulundu[i * n + j] = 1;
          sonuc.push_back({i, j, t, oran});
        }
      }
    }
  }
  return sonuc;
}

}  // namespace vadu
