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
  BaytOkuyucu o(govde);
  uint16_t etiket = 0;
  uint32_t uzunluk = 0;
  if (!o.yeter(PARCA_BASLIGI) || !o.u16(etiket) || !o.u64(p.aktarimNo) || !o.u32(p.sira) ||
      !o.u32(p.adet) || !o.u64(p.ozet) || !o.u32(uzunluk) || !o.ham(uzunluk, p.veri)) {
    return false;
  }
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
