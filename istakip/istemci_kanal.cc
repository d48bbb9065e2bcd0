#include "istakip/istemci_kanal.h"

#include <utility>
#include <vector>

#include "istakip/kanit.h"
#include "istakip/mesaj.h"
#include "orkestra/kodlama.h"

namespace vadu::istakip {

IsIstemciKanal::IsIstemciKanal(IsIstemci& istemci, TasimaArayuz& tasima, NodeAdres kral)
    : istemci_(&istemci), tasima_(&tasima), kral_(kral) {
  tasima_->aliciAyarla(
      [this](const NodeAdres& adres, const SurecCerceve& c) { cerceveGeldi(adres, c); });
}

bool IsIstemciKanal::gonder(SurecMesajTip tip, uint64_t korelasyon, std::string govde) {
  return tasima_->gonder(kral_, mesajCercevesi(tip, korelasyon, std::move(govde)));
}

void IsIstemciKanal::senkronIste() {
  if (!gonder(SurecMesajTip::SenkronIste, 0,
              senkronIstegiKodla(istemci_->sonSurum(), istemci_->istemciNo()))) {
    bagliDurum_ = false;
  }
}

uint64_t IsIstemciKanal::yaz(const Kayit& k, uint64_t beklenenSurum) {
  const uint64_t sira = istemci_->yaz(k, beklenenSurum);
  if (bagliDurum_) bekleyenleriGonder();
  return sira;
}

void IsIstemciKanal::bekleyenleriGonder() {
  // A send may fail inside the loop and the transport may then report the
  // loss, but nothing here changes the queue while it is walked.
  for (const Bekleyen& b : istemci_->bekleyenler()) {
    if (!gonder(SurecMesajTip::YazmaIste, b.sira,
                yazmaIstegiKodla(istemci_->istemciNo(), b.sira, b.beklenenSurum, b.kayit))) {
      bagliDurum_ = false;
      return;
    }
  }
}

bool IsIstemciKanal::dosyaIste(const std::string& yol) {
  if (!bagliDurum_ || yol.empty()) return false;
  bekleyenIstek_ = ++sonIstekNo_;
  istenenYol_ = yol;
  birlestirme_ = ParcaBirlestirme{};
  std::string govde;
  leYazMetin(govde, yol);
  if (gonder(SurecMesajTip::DosyaIste, bekleyenIstek_, std::move(govde))) return true;
  bagliDurum_ = false;
  bekleyenIstek_ = 0;
  return false;
}

void IsIstemciKanal::cerceveGeldi(const NodeAdres&, const SurecCerceve& c) {
  switch (c.tip) {
    case SurecMesajTip::Sonuc: sonucGeldi(c); break;
    case SurecMesajTip::DosyaParca: parcaGeldi(c); break;
    case SurecMesajTip::SenkronCevap: {
      std::vector<Kayit> kayitlar;
      uint64_t yeniSurum = 0, islenenSira = 0;
      bool devamVar = false;
      if (!senkronCevabiCoz(c.govde, kayitlar, yeniSurum, islenenSira, devamVar)) return;
      istemci_->senkronUygula(kayitlar, yeniSurum, islenenSira);
      if (!devamVar) {
        bagliDurum_ = true;
        bekleyenleriGonder();
      }
      break;
    }
    case SurecMesajTip::YazmaBildir: {
      Kayit k;
      uint64_t yazarNo = 0, yazarSira = 0;
      if (yazmaBildirimiCoz(c.govde, k, yazarNo, yazarSira)) {
        istemci_->bildirimUygula(k, yazarNo, yazarSira);
      }
      break;
    }
    case SurecMesajTip::KimlikSor: kimlikSorGeldi(c); break;
    default: break;
  }
}

void IsIstemciKanal::sonucGeldi(const SurecCerceve& c) {
  bool basarili = false;
  std::string kelime;
  if (!sonucCoz(c.govde, basarili, kelime)) return;
  const uint64_t k = c.korelasyon;
  if (basarili) {
    istemci_->onaylandi(k);
  } else if (kelime == "dosya") {
    if (bekleyenIstek_ != 0 && bekleyenIstek_ == k) dosyaBitti(false, "");
  } else {
    if (kelime == "yetki" || kelime == "cakisma") istemci_->reddedildi(k);
    if (sonucBildir) sonucBildir(k, kelime);
  }
}

void IsIstemciKanal::parcaGeldi(const SurecCerceve& c) {
  if (bekleyenIstek_ == 0 || bekleyenIstek_ != c.korelasyon) return;
  Parca parca;
  if (!parcaCoz(c.govde, parca)) return;
  const int r = parcaEkle(birlestirme_, parca);
  if (r == 1) dosyaBitti(true, std::move(birlestirme_.birlesik));
  if (r == 2) dosyaBitti(false, "");
}

void IsIstemciKanal::dosyaBitti(bool basarili, std::string icerik) {
  // The request is closed before the hook runs, so that a request the hook
  // opens is not closed behind it.
  const std::string yol = istenenYol_;
  bekleyenIstek_ = 0;
  birlestirme_ = ParcaBirlestirme{};
  if (dosyaGeldi) dosyaGeldi(basarili, yol, icerik);
}

void IsIstemciKanal::kimlikSorGeldi(const SurecCerceve& c) {
  BaytOkuyucu o(c.govde);
  uint64_t kralNo = 0;
  Nonce nonce{};
  if (!o.u64(kralNo) || !o.ham(nonce)) return;
  const Anahtar* anahtar = anahtarBul ? anahtarBul(kralNo) : nullptr;
  if (anahtar == nullptr) {
    if (sonucBildir) sonucBildir(0, "eslesme");
    return;
  }
  const Kanit kanit = kanitHesapla(*anahtar, nonce, istemci_->istemciNo());
  std::string yanit;
  leYazU64(yanit, istemci_->istemciNo());
  yanit.append(reinterpret_cast<const char*>(kanit.data()), kanit.size());
  gonder(SurecMesajTip::KimlikKanit, 0, std::move(yanit));
}

}  // namespace vadu::istakip
