#include "istakip/parca.h"

#include "orkestra/fnv.h"
#include "orkestra/kodlama.h"

namespace vadu::istakip {

uint64_t icerikOzeti(const std::string& icerik) { return fnvOzet(icerik); }

std::string parcaKodla(const Parca& p) {
  std::string out;
  out.reserve(PARCA_BASLIGI + p.veri.size());
  leYazU16(out, 1);
  leYazU64(out, p.aktarimNo);
  leYazU32(out, p.sira);
  leYazU32(out, p.adet);
  leYazU64(out, p.ozet);
  leYazU32(out, static_cast<uint32_t>(p.veri.size()));
  out += p.veri;
  return out;
}

bool parcaCoz(const std::string& govde, Parca& p) {
  if (govde.size() < PARCA_BASLIGI) return false;
  const uint8_t* b = baytlar(govde.data());
  p.aktarimNo = leOkuU64(b + 2);
  p.sira = leOkuU32(b + 10);
  p.adet = leOkuU32(b + 14);
  p.ozet = leOkuU64(b + 18);
  const uint32_t L = leOkuU32(b + 26);
  if (govde.size() - PARCA_BASLIGI < L) return false;
  p.veri.assign(govde, PARCA_BASLIGI, L);
  return p.aktarimNo != 0 && p.adet != 0 && p.sira < p.adet;
}

std::vector<Parca> parcala(uint64_t aktarimNo, const std::string& icerik, uint64_t parcaBoyu) {
  const uint64_t boy = icerik.size();
  if (parcaBoyu == 0 || parcaBoyu > boy) parcaBoyu = boy != 0 ? boy : 1;
  const uint64_t ozet = icerikOzeti(icerik);
  const uint32_t adet = static_cast<uint32_t>((boy + parcaBoyu - 1) / parcaBoyu);
  std::vector<Parca> parcalar;
  parcalar.reserve(adet != 0 ? adet : 1);
  for (uint32_t i = 0; i < adet; ++i) {
    parcalar.push_back(Parca{aktarimNo, i, adet, ozet, icerik.substr(i * parcaBoyu, parcaBoyu)});
  }
  if (parcalar.empty()) parcalar.push_back(Parca{aktarimNo, 0, 1, ozet, {}});
  return parcalar;
}

int parcaEkle(ParcaBirlestirme& d, const Parca& p) {
  if (d.adet == 0) {
    d.aktarimNo = p.aktarimNo;
    d.adet = p.adet;
    d.ozet = p.ozet;
  }
  if (p.aktarimNo != d.aktarimNo || p.adet != d.adet || p.sira >= d.adet) return 0;
  if (!d.parcalar.try_emplace(p.sira, p.veri).second) return 0;
  ++d.gelen;
  if (p.ozet != 0) d.ozet = p.ozet;
  if (d.gelen < d.adet) return 0;
  d.birlesik.clear();
  for (const auto& [sira, veri] : d.parcalar) d.birlesik += veri;
  return icerikOzeti(d.birlesik) == d.ozet ? 1 : 2;
}

}  // namespace vadu::istakip
