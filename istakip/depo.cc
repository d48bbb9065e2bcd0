#include "istakip/depo.h"

#include <algorithm>

namespace vadu::istakip {

bool DepoBellek::kaydet(const Kayit& k) {
  kayitlar_[k.id] = k;
  return true;
}

bool DepoBellek::bul(uint64_t id, Kayit& cikan) {
  const auto it = kayitlar_.find(id);
  if (it == kayitlar_.end()) return false;
  cikan = it->second;
  return true;
}

std::vector<Kayit> DepoBellek::degisenler(uint64_t surum) {
  std::vector<Kayit> liste;
  for (const auto& [id, k] : kayitlar_) {
    if (k.surum > surum) liste.push_back(k);
  }
  std::sort(liste.begin(), liste.end(),
            [](const Kayit& a, const Kayit& b) { return a.surum < b.surum; });
  return liste;
}

uint64_t DepoBellek::enBuyukSurum() {
  uint64_t en = 0;
  for (const auto& [id, k] : kayitlar_) en = std::max(en, k.surum);
  return en;
}

uint64_t DepoBellek::enBuyukId() {
  uint64_t en = 0;
  for (const auto& [id, k] : kayitlar_) en = std::max(en, id);
  return en;
}

uint64_t DepoBellek::yazarSira(uint64_t istemciNo) {
  const auto it = yazarSiralari_.find(istemciNo);
  return it == yazarSiralari_.end() ? 0 : it->second;
}

bool DepoBellek::yazarSiraKaydet(uint64_t istemciNo, uint64_t sira) {
  yazarSiralari_[istemciNo] = sira;
  return true;
}

}  // namespace vadu::istakip
