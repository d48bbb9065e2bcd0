#include "istakip/kayit.h"

namespace vadu::istakip {

const char* Kayit::alan(const std::string& ad) const {
  for (const auto& [isim, deger] : alanlar) {
    if (isim == ad) return deger.c_str();
  }
  return nullptr;
}

void Kayit::alanYaz(const std::string& ad, const std::string& deger) {
  for (auto& [isim, eski] : alanlar) {
    if (isim == ad) {
      eski = deger;
      return;
    }
  }
  alanlar.emplace_back(ad, deger);
}

}  // namespace vadu::istakip
