#include "istakip/istemci.h"

#include <utility>

namespace vadu::istakip {

uint64_t IsIstemci::yaz(const Kayit& kayit, uint64_t beklenenSurum) {
  // A centre that reports the last number as handled leaves none to give:
  // one more would wrap to 0, which the centre takes for a repeat, answers
  // as done and never applies.
  if (sonSira_ == UINT64_MAX) return 0;
  ++sonSira_;
  bekleyenler_.push_back(Bekleyen{sonSira_, kayit, beklenenSurum});
  return sonSira_;
}

void IsIstemci::onunuBirak(uint64_t sira) {
  while (!bekleyenler_.empty() && bekleyenler_.front().sira <= sira) bekleyenler_.pop_front();
}

void IsIstemci::senkronUygula(const std::vector<Kayit>& kayitlar, uint64_t yeniSurum,
                              uint64_t islenenSira) {
  for (const Kayit& k : kayitlar) kayitlar_[k.id] = k;
  if (yeniSurum > sonSurum_) sonSurum_ = yeniSurum;
  onunuBirak(islenenSira);
  // A fresh replica that reuses a client number numbers past what the
  // centre has already seen from it.
  if (islenenSira > sonSira_) sonSira_ = islenenSira;
}

void IsIstemci::bildirimUygula(const Kayit& kayit, uint64_t yazarNo, uint64_t yazarSira) {
  if (yazarNo == istemciNo_) onunuBirak(yazarSira);
  if (kayit.surum > sonSurum_) {
    kayitlar_[kayit.id] = kayit;
    sonSurum_ = kayit.surum;
  }
}

void IsIstemci::onaylandi(uint64_t sira) { onunuBirak(sira); }

void IsIstemci::reddedildi(uint64_t sira) {
  for (auto it = bekleyenler_.begin(); it != bekleyenler_.end(); ++it) {
    if (it->sira == sira) {
      bekleyenler_.erase(it);
      return;
    }
  }
}

const Kayit* IsIstemci::bul(uint64_t id) const {
  const auto it = kayitlar_.find(id);
  return it == kayitlar_.end() ? nullptr : &it->second;
}

std::vector<const Kayit*> IsIstemci::turListe(const std::string& tur) const {
  std::vector<const Kayit*> liste;
  for (const auto& [id, k] : kayitlar_) {
    if (!k.silindi && k.tur == tur) liste.push_back(&k);
  }
  return liste;
}

}  // namespace vadu::istakip
