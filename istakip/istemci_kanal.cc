#include "istakip/istemci_kanal.h"

#include <utility>
#include <vector>

#include "istakip/kanit.h"
#include "istakip/mesaj.h"
#include "orkestra/kodlama.h"

namespace vadu::istakip {

IsIstemciKanal::IsIstemciKanal(IsIstemci& i, TasimaArayuz& t, NodeAdres k)
    : istemci(&i), tasima(&t), kral(k) {
  tasima->aliciAyarla(
      [this](const NodeAdres& adres, const SurecCerceve& c) { cerceveGeldi(adres, c); });
}

bool IsIstemciKanal::gonder(SurecMesajTip tip, uint64_t korelasyon, std::string govde) {
  return tasima->gonder(kral, mesajCercevesi(tip, korelasyon, std::move(govde)));
}

void IsIstemciKanal::senkronIste() {
  if (!gonder(SurecMesajTip::SenkronIste, 0,
              senkronIstegiKodla(istemci->sonSurum(), istemci->istemciNo()))) {
    bagliDurum = false;
  }
}

uint64_t IsIstemciKanal::yaz(const Kayit& k, uint64_t beklenenSurum) {
  const uint64_t sira = istemci->yaz(k, beklenenSurum);
  if (bagliDurum) bekleyenleriGonder();
  return sira;
}

void IsIstemciKanal::bekleyenleriGonder() {
  // A send may fail inside the loop and the transport may then report the
  // loss, but nothing here changes the queue while it is walked.
  for (const Bekleyen& b : istemci->bekleyenler()) {
    if (!gonder(SurecMesajTip::YazmaIste, b.sira,
                yazmaIstegiKodla(istemci->istemciNo(), b.sira, b.beklenenSurum, b.kayit))) {
      bagliDurum = false;
      return;
    }
  }
}

bool IsIstemciKanal::dosyaIste(const std::string& yol) {
  if (!bagliDurum || yol.empty()) return false;
  bekleyenIstek = ++sonIstekNo;
  istenenYol = yol;
  birlestirme = ParcaBirlestirme{};
  std::string govde;
  leYazMetin(govde, yol);
  if (gonder(SurecMesajTip::DosyaIste, bekleyenIstek, std::move(govde))) return true;
  bagliDurum = false;
  bekleyenIstek = 0;
  return false;
}

void IsIstemciKanal::cerceveGeldi(const NodeAdres&, const SurecCerceve& c) {
  switch (c.tip) {
    case SurecMesajTip::Sonuc:
      sonucGeldi(c);
      break;
    case SurecMesajTip::DosyaParca:
      parcaGeldi(c);
      break;
    case SurecMesajTip::SenkronCevap: {
      std::vector<Kayit> kayitlar;
      uint64_t yeniSurum = 0, islenenSira = 0;
      bool devamVar = false;
      if (!senkronCevabiCoz(c.govde, kayitlar, yeniSurum, islenenSira, devamVar)) return;
      istemci->senkronUygula(kayitlar, yeniSurum, islenenSira);
      if (!devamVar) {
        bagliDurum = true;
        bekleyenleriGonder();
      }
      break;
    }
    case SurecMesajTip::YazmaBildir: {
      Kayit k;
      uint64_t yazarNo = 0, yazarSira = 0;
      if (yazmaBildirimiCoz(c.govde, k, yazarNo, yazarSira)) {
        istemci->bildirimUygula(k, yazarNo, yazarSira);
      }
      break;
    }
    case SurecMesajTip::KimlikSor:
      kimlikSorGeldi(c);
      break;
    default:
      break;
  }
}

void IsIstemciKanal::sonucGeldi(const SurecCerceve& c) {
  bool basarili = false;
  std::string kelime;
  if (!sonucCoz(c.govde, basarili, kelime)) return;
  const uint64_t k = c.korelasyon;
  if (basarili) {
    istemci->onaylandi(k);
  } else if (kelime == "dosya") {
    if (bekleyenIstek != 0 && bekleyenIstek == k) dosyaBitti(false, "");
  } else {
    if (kelime == "yetki" || kelime == "cakisma") istemci->reddedildi(k);
    if (sonucBildir) sonucBildir(k, kelime);
  }
}

void IsIstemciKanal::parcaGeldi(const SurecCerceve& c) {
  if (bekleyenIstek == 0 || bekleyenIstek != c.korelasyon) return;
  Parca parca;
  if (!parcaCoz(c.govde, parca)) return;
  const int r = parcaEkle(birlestirme, parca);
  if (r == 1) dosyaBitti(true, std::move(birlestirme.birlesik));
  if (r == 2) dosyaBitti(false, "");
}

void IsIstemciKanal::dosyaBitti(bool basarili, std::string icerik) {
  // The request is closed before the hook runs, so that a request the hook
  // opens is not closed behind it.
  const std::string yol = istenenYol;
  bekleyenIstek = 0;
  birlestirme = ParcaBirlestirme{};
  if (dosyaGeldi) dosyaGeldi(basarili, yol, icerik);
}

void IsIstemciKanal::kimlikSorGeldi(const SurecCerceve& c) {
  if (c.govde.size() < KIMLIK_SOR_BOYU) return;
  const uint8_t* govde = baytlar(c.govde.data());
  const uint64_t kralNo = leOkuU64(govde);
  Nonce nonce;
  for (size_t i = 0; i < nonce.size(); ++i) nonce[i] = govde[8 + i];
  const Anahtar* anahtar = anahtarBul ? anahtarBul(kralNo) : nullptr;
  if (anahtar == nullptr) {
    if (sonucBildir) sonucBildir(0, "eslesme");
    return;
  }
  const Kanit kanit = kanitHesapla(*anahtar, nonce, istemci->istemciNo());
  std::string yanit;
  leYazU64(yanit, istemci->istemciNo());
  yanit.append(reinterpret_cast<const char*>(kanit.data()), kanit.size());
  gonder(SurecMesajTip::KimlikKanit, 0, std::move(yanit));
}

}  // namespace vadu::istakip
