#include "orkestra/parametre.h"

#include "orkestra/kodlama.h"

namespace vadu {

std::string paramSerialize(const std::string& ad, const ParametreListesi& parametreler) {
  std::string out;
  leYazMetin(out, ad);
  const size_t c = parametreler.size() < 0xFFFF ? parametreler.size() : 0xFFFF;
  leYazU16(out, static_cast<uint16_t>(c));
  for (size_t i = 0; i < c; ++i) {
    leYazMetin(out, parametreler[i].first);
    leYazMetin(out, parametreler[i].second);
  }
  return out;
}

bool paramCoz(const std::string& govde, std::string& ad, ParametreListesi& cikan) {
  const uint8_t* p = baytlar(govde.data());
  const uint8_t* const son = p + govde.size();
  if (!leOkuMetin(p, son, ad)) return false;
  if (son - p < 2) return false;
  const uint16_t c = leOkuU16(p);
  p += 2;
  cikan.clear();
  for (uint16_t i = 0; i < c; ++i) {
    std::string k, v;
    if (!leOkuMetin(p, son, k) || !leOkuMetin(p, son, v)) return false;
    cikan.emplace_back(std::move(k), std::move(v));
  }
  return true;
}

}  // namespace vadu
