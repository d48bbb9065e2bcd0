#include "istakip/mesaj.h"

#include <utility>

#include "orkestra/kodlama.h"

namespace vadu::istakip {

namespace {

// Pairs beyond this are not written; the count is a u16.
constexpr size_t EN_COK_ALAN = 0xFFFF;

void kayitEkle(std::string& out, const Kayit& k) {
  leYazU64(out, k.id);
  leYazMetin(out, k.tur);
  leYazU64(out, k.surum);
  out.push_back(k.silindi ? 1 : 0);
  const size_t n = k.alanlar.size() < EN_COK_ALAN ? k.alanlar.size() : EN_COK_ALAN;
  leYazU16(out, static_cast<uint16_t>(n));
  for (size_t i = 0; i < n; ++i) {
    leYazMetin(out, k.alanlar[i].first);
    leYazMetin(out, k.alanlar[i].second);
  }
}

size_t metinBoyu(const std::string& s) {
  return 2 + (s.size() < EN_UZUN_METIN ? s.size() : EN_UZUN_METIN);
}

struct Okuyucu {
  const uint8_t* p;
  const uint8_t* son;
  explicit Okuyucu(const std::string& govde)
      : p(baytlar(govde.data())), son(baytlar(govde.data()) + govde.size()) {}
};

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
  if (govde.empty()) return false;
  Okuyucu o(govde);
  basarili = *o.p++ != 0;
  return leOkuMetin(o.p, o.son, sonuc);
}

std::string kayitKodla(const Kayit& k) {
  std::string out;
  kayitEkle(out, k);
  return out;
}

size_t kayitBoyu(const Kayit& k) {
  const size_t n = k.alanlar.size() < EN_COK_ALAN ? k.alanlar.size() : EN_COK_ALAN;
  size_t boy = 8 + metinBoyu(k.tur) + 8 + 1 + 2;
  for (size_t i = 0; i < n; ++i) boy += metinBoyu(k.alanlar[i].first) + metinBoyu(k.alanlar[i].second);
  return boy;
}

bool kayitCoz(const uint8_t*& p, const uint8_t* son, Kayit& k) {
  if (son - p < 8) return false;
  k.id = leOkuU64(p);
  p += 8;
  if (!leOkuMetin(p, son, k.tur)) return false;
  if (son - p < 11) return false;
  k.surum = leOkuU64(p);
  p += 8;
  k.silindi = *p++ != 0;
  const uint16_t n = leOkuU16(p);
  p += 2;
  k.alanlar.clear();
  for (uint16_t i = 0; i < n; ++i) {
    std::string ad, deger;
    if (!leOkuMetin(p, son, ad) || !leOkuMetin(p, son, deger)) return false;
    k.alanlar.emplace_back(std::move(ad), std::move(deger));
  }
  return true;
}

std::string senkronIstegiKodla(uint64_t sonSurum, uint64_t istemciNo) {
  std::string out;
  leYazU64(out, sonSurum);
  leYazU64(out, istemciNo);
  return out;
}

bool senkronIstegiCoz(const std::string& govde, uint64_t& sonSurum, uint64_t& istemciNo) {
  if (govde.size() < SENKRON_ISTEK_BOYU) return false;
  const uint8_t* p = baytlar(govde.data());
  sonSurum = leOkuU64(p);
  istemciNo = leOkuU64(p + 8);
  return true;
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

bool senkronCevabiCoz(const std::string& govde, std::vector<Kayit>& kayitlar,
                      uint64_t& yeniSurum, uint64_t& islenenSira, bool& devamVar) {
  if (govde.size() < SENKRON_CEVAP_BASI) return false;
  Okuyucu o(govde);
  yeniSurum = leOkuU64(o.p);
  islenenSira = leOkuU64(o.p + 8);
  devamVar = o.p[16] != 0;
  const uint32_t n = leOkuU32(o.p + 17);
  o.p += SENKRON_CEVAP_BASI;
  kayitlar.clear();
  // The count comes from the peer: records are added as they decode, never
  // reserved ahead from it.
  for (uint32_t i = 0; i < n; ++i) {
    Kayit k;
    if (!kayitCoz(o.p, o.son, k)) return false;
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
  if (govde.size() < YAZMA_ISTEK_BASI) return false;
  Okuyucu o(govde);
  istemciNo = leOkuU64(o.p);
  sira = leOkuU64(o.p + 8);
  beklenenSurum = leOkuU64(o.p + 16);
  o.p += YAZMA_ISTEK_BASI;
  return kayitCoz(o.p, o.son, k);
}

std::string yazmaBildirimiKodla(const Kayit& k, uint64_t yazarNo, uint64_t yazarSira) {
  std::string out;
  leYazU64(out, yazarNo);
  leYazU64(out, yazarSira);
  kayitEkle(out, k);
  return out;
}

bool yazmaBildirimiCoz(const std::string& govde, Kayit& k, uint64_t& yazarNo,
                       uint64_t& yazarSira) {
  if (govde.size() < YAZMA_BILDIRIM_BASI) return false;
  Okuyucu o(govde);
  yazarNo = leOkuU64(o.p);
  yazarSira = leOkuU64(o.p + 8);
  o.p += YAZMA_BILDIRIM_BASI;
  return kayitCoz(o.p, o.son, k);
}

}  // namespace vadu::istakip
