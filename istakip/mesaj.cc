#include "istakip/mesaj.h"

#include <utility>

#include "orkestra/kodlama.h"

namespace vadu::istakip {

namespace {

// Pairs beyond this are not written; the count is a u16.
constexpr size_t EN_COK_ALAN = 0xFFFF;

// The pairs that are written: the first 65535.
size_t yazilanAlan(const Kayit& k) {
  return k.alanlar.size() < EN_COK_ALAN ? k.alanlar.size() : EN_COK_ALAN;
}

void kayitEkle(std::string& out, const Kayit& k) {
  leYazU64(out, k.id);
  leYazMetin(out, k.tur);
  leYazU64(out, k.surum);
  out.push_back(k.silindi ? 1 : 0);
  const size_t n = yazilanAlan(k);
  leYazU16(out, static_cast<uint16_t>(n));
  for (size_t i = 0; i < n; ++i) {
    leYazMetin(out, k.alanlar[i].first);
    leYazMetin(out, k.alanlar[i].second);
  }
}

size_t metinBoyu(const std::string& s) { return 2 + leMetinUzunlugu(s); }

// The record's fields after its kind, taken together: `surum`, `silindi` and
// the pair count.
constexpr size_t KAYIT_ORTASI = 8 + 1 + 2;

bool kayitOku(BaytOkuyucu& o, Kayit& k) {
  if (!o.u64(k.id) || !o.metin(k.tur)) return false;
  uint16_t n = 0;
  if (!o.yeter(KAYIT_ORTASI) || !o.u64(k.surum) || !o.bayrak(k.silindi) || !o.u16(n)) {
    return false;
  }
  k.alanlar.clear();
  for (uint16_t i = 0; i < n; ++i) {
    std::string ad, deger;
    if (!o.metin(ad) || !o.metin(deger)) return false;
    k.alanlar.emplace_back(std::move(ad), std::move(deger));
  }
  return true;
}

}  // namespace

SurecCerceve mesajCercevesi(SurecMesajTip tip, uint64_t korelasyon, std::string govde) {
  SurecCerceve c;
  c.tip = tip;
  c.korelasyon = korelasyon;
  c.govde = std::move(govde);
  return c;
}

std::string sonucKodla(bool basarili, const std::string& sonuc) {
  std::string out(1, basarili ? 1 : 0);
  leYazMetin(out, sonuc);
  return out;
}

bool sonucCoz(const std::string& govde, bool& basarili, std::string& sonuc) {
  BaytOkuyucu o(govde);
  return o.bayrak(basarili) && o.metin(sonuc);
}

std::string kayitKodla(const Kayit& k) {
  std::string out;
  kayitEkle(out, k);
  return out;
}

size_t kayitBoyu(const Kayit& k) {
  const size_t n = yazilanAlan(k);
  size_t boy = 8 + metinBoyu(k.tur) + KAYIT_ORTASI;
  for (size_t i = 0; i < n; ++i)
    boy += metinBoyu(k.alanlar[i].first) + metinBoyu(k.alanlar[i].second);
  return boy;
}

bool kayitCoz(const uint8_t*& p, const uint8_t* son, Kayit& k) {
  BaytOkuyucu o(p, son);
  const bool tamam = kayitOku(o, k);
  p = o.konum();
  return tamam;
}

std::string senkronIstegiKodla(uint64_t sonSurum, uint64_t istemciNo) {
  std::string out;
  leYazU64(out, sonSurum);
  leYazU64(out, istemciNo);
  return out;
}

bool senkronIstegiCoz(const std::string& govde, uint64_t& sonSurum, uint64_t& istemciNo) {
  BaytOkuyucu o(govde);
  return o.yeter(SENKRON_ISTEK_BOYU) && o.u64(sonSurum) && o.u64(istemciNo);
}

std::string senkronCevabiKodla(const std::vector<Kayit>& kayitlar, uint64_t yeniSurum,
                               uint64_t islenenSira, bool devamVar) {
  std::string out;
  leYazU64(out, yeniSurum);
  leYazU64(out, islenenSira);
  out.push_back(devamVar ? 1 : 0);
  leYazU32(out, static_cast<uint32_t>(kayitlar.size()));
  for (const Kayit& k : kayitlar) kayitEkle(out, k);
  return out;
}

bool senkronCevabiCoz(const std::string& govde, std::vector<Kayit>& kayitlar, uint64_t& yeniSurum,
                      uint64_t& islenenSira, bool& devamVar) {
  BaytOkuyucu o(govde);
  uint32_t n = 0;
  if (!o.yeter(SENKRON_CEVAP_BASI) || !o.u64(yeniSurum) || !o.u64(islenenSira) ||
      !o.bayrak(devamVar) || !o.u32(n)) {
    return false;
  }
  kayitlar.clear();
  // The count comes from the peer: records are added as they decode, never
  // reserved ahead from it.
  for (uint32_t i = 0; i < n; ++i) {
    Kayit k;
    if (!kayitOku(o, k)) return false;
    kayitlar.push_back(std::move(k));
  }
  return true;
}

std::string yazmaIstegiKodla(uint64_t istemciNo, uint64_t sira, uint64_t beklenenSurum,
                             const Kayit& k) {
  std::string out;
  leYazU64(out, istemciNo);
  leYazU64(out, sira);
  leYazU64(out, beklenenSurum);
  kayitEkle(out, k);
  return out;
}

bool yazmaIstegiCoz(const std::string& govde, uint64_t& istemciNo, uint64_t& sira,
                    uint64_t& beklenenSurum, Kayit& k) {
  BaytOkuyucu o(govde);
  return o.yeter(YAZMA_ISTEK_BASI) && o.u64(istemciNo) && o.u64(sira) && o.u64(beklenenSurum) &&
         kayitOku(o, k);
}

std::string yazmaBildirimiKodla(const Kayit& k, uint64_t yazarNo, uint64_t yazarSira) {
  std::string out;
  leYazU64(out, yazarNo);
  leYazU64(out, yazarSira);
  kayitEkle(out, k);
  return out;
}

bool yazmaBildirimiCoz(const std::string& govde, Kayit& k, uint64_t& yazarNo, uint64_t& yazarSira) {
  BaytOkuyucu o(govde);
  return o.yeter(YAZMA_BILDIRIM_BASI) && o.u64(yazarNo) && o.u64(yazarSira) && kayitOku(o, k);
}

}  // namespace vadu::istakip
