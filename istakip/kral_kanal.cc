#include "istakip/kral_kanal.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "istakip/mesaj.h"
#include "istakip/parca.h"
#include "orkestra/kodlama.h"
#include "orkestra/rastgele.h"

namespace vadu::istakip {

IsKralKanal::IsKralKanal(IsMerkez& merkez, TasimaArayuz& tasima, uint64_t senkronParca)
    : merkez_(&merkez), tasima_(&tasima), senkronParca_(senkronParca != 0 ? senkronParca : 1) {
  tasima_->aliciAyarla(
      [this](const NodeAdres& adres, const SurecCerceve& c) { cerceveGeldi(adres, c); });
}

void IsKralKanal::cevapla(const NodeAdres& adres, bool basarili, const char* kelime,
                          uint64_t korelasyon) {
  tasima_->gonder(adres,
                  mesajCercevesi(SurecMesajTip::Sonuc, korelasyon, sonucKodla(basarili, kelime)));
}

void IsKralKanal::cerceveGeldi(const NodeAdres& adres, const SurecCerceve& c) {
  switch (c.tip) {
    case SurecMesajTip::SenkronIste: senkronIsteGeldi(adres, c); break;
    case SurecMesajTip::YazmaIste: yazmaIsteGeldi(adres, c); break;
    case SurecMesajTip::DosyaIste: dosyaIsteGeldi(adres, c); break;
    case SurecMesajTip::KimlikKanit: kimlikKanitGeldi(adres, c); break;
    default: break;
  }
}

void IsKralKanal::senkronIsteGeldi(const NodeAdres& adres, const SurecCerceve& c) {
  uint64_t sonSurum = 0, istemciNo = 0;
  if (!senkronIstegiCoz(c.govde, sonSurum, istemciNo)) return;
  if (!eslesmeKapisi(adres, istemciNo, c)) return;
  if (std::find(aboneler_.begin(), aboneler_.end(), adres) == aboneler_.end()) {
    aboneler_.push_back(adres);
  }
  baglantiIstemci_[adres.baglantiNo] = istemciNo;

  const std::vector<Kayit> kayitlar = merkez_->degisenler(sonSurum);
  const uint64_t islenenSira = merkez_->yazarSira(istemciNo);
  size_t i = 0;
  do {
    // A batch ends at `senkronParca` records, or before its body would pass
    // `senkronBaytSiniri`; it always holds one record, if any is left.
    size_t k = 0;
    uint64_t bayt = SENKRON_CEVAP_BASI;
    while (i + k < kayitlar.size() && k < senkronParca_) {
      const uint64_t boy = kayitBoyu(kayitlar[i + k]);
      if (k != 0 && bayt + boy > senkronBaytSiniri) break;
      bayt += boy;
      ++k;
    }
    const bool son = i + k >= kayitlar.size();
    const std::vector<Kayit> parti(kayitlar.begin() + i, kayitlar.begin() + i + k);
    const uint64_t yeniSurum = son ? merkez_->sonSurum() : parti.back().surum;
    const SurecCerceve cevap = mesajCercevesi(
        SurecMesajTip::SenkronCevap, c.korelasyon,
        senkronCevabiKodla(parti, yeniSurum, islenenSira, !son));
    if (!tasima_->gonder(adres, cevap)) return;
    i += k;
  } while (i < kayitlar.size());
}

void IsKralKanal::yazmaIsteGeldi(const NodeAdres& adres, const SurecCerceve& c) {
  uint64_t istemciNo = 0, sira = 0, beklenenSurum = 0;
  Kayit kayit;
  if (!yazmaIstegiCoz(c.govde, istemciNo, sira, beklenenSurum, kayit)) return;
  if (!eslesmeKapisi(adres, istemciNo, c)) return;
  const auto bag = baglantiIstemci_.find(adres.baglantiNo);
  if ((bag != baglantiIstemci_.end() && bag->second != istemciNo) ||
      (yazmaIzni && !yazmaIzni(adres, istemciNo, kayit))) {
    ++reddedilenYazma_;
    cevapla(adres, false, "yetki", sira);
    return;
  }
  const YazmaSonucu r = merkez_->yaz(istemciNo, sira, kayit, beklenenSurum);
  if (r.cakisma) {
    ++cakismaSayisi_;
    cevapla(adres, false, "cakisma", sira);
  } else if (r.depoHatasi) {
    cevapla(adres, false, "depo", sira);
  } else if (!r.basarili) {
    cevapla(adres, true, "tekrar", sira);
  } else {
    ++uygulananYazmaSayisi_;
    yazmaYayinla(r.kayit, istemciNo, sira);
  }
}

void IsKralKanal::dosyaIsteGeldi(const NodeAdres& adres, const SurecCerceve& c) {
  if (eslesmeZorunlu) {
    const auto o = oturumlar_.find(adres.baglantiNo);
    if (o == oturumlar_.end() || !o->second.dogrulandi) {
      cevapla(adres, false, "kimlik", c.korelasyon);
      return;
    }
  }
  BaytOkuyucu o(c.govde);
  std::string yol;
  if (!o.metin(yol)) return;
  std::string icerik;
  if (!dosyaIzni || !dosyaOku || !dosyaIzni(yol) || !dosyaOku(yol, icerik)) {
    cevapla(adres, false, "dosya", c.korelasyon);
    return;
  }
  ++sonAktarimNo_;
  for (const Parca& parca : parcala(sonAktarimNo_, icerik, parcaBoyu)) {
    if (!tasima_->gonder(
            adres, mesajCercevesi(SurecMesajTip::DosyaParca, c.korelasyon, parcaKodla(parca)))) {
      return;
    }
  }
}

void IsKralKanal::kimlikKanitGeldi(const NodeAdres& adres, const SurecCerceve& c) {
  BaytOkuyucu okuyucu(c.govde);
  uint64_t no = 0;
  const uint8_t* kanit = nullptr;
  if (!okuyucu.u64(no) || !okuyucu.ham(Kanit{}.size(), kanit)) return;
  const auto o = oturumlar_.find(adres.baglantiNo);
  if (o == oturumlar_.end() || !o->second.soruAcik || o->second.dogrulananlar.count(no) != 0) {
    return;
  }
  const Anahtar* anahtar = anahtarBul ? anahtarBul(no) : nullptr;
  if (anahtar == nullptr) return;
  const Kanit beklenen = kanitHesapla(*anahtar, o->second.nonce, no);
  if (!kanitEsit(beklenen.data(), kanit)) {
    // The challenge stays open: a client that sent two gated frames answers
    // two challenges, and its proof of the first fails against the nonce of
    // the second, which its next proof answers.
    cevapla(adres, false, "kimlik", 0);
    return;
  }
  // The proof that verifies spends the nonce, so it cannot be sent again.
  Oturum& oturum = o->second;
  oturum.soruAcik = false;
  oturum.dogrulandi = true;
  oturum.dogrulananlar.insert(no);
  if (oturum.bekleyenVar) {
    // Handling the held frame may create or replace session entries, so the
    // frame is moved out first.
    const SurecCerceve kopya = std::move(oturum.bekleyen);
    oturum.bekleyen = SurecCerceve{};
    oturum.bekleyenVar = false;
    cerceveGeldi(adres, kopya);
  }
}

bool IsKralKanal::eslesmeKapisi(const NodeAdres& adres, uint64_t istemciNo, const SurecCerceve& c) {
  if (!eslesmeZorunlu) return true;
  Oturum& oturum = oturumlar_[adres.baglantiNo];
  if (oturum.dogrulananlar.count(istemciNo) != 0) return true;
  const Anahtar* anahtar = anahtarBul ? anahtarBul(istemciNo) : nullptr;
  if (anahtar == nullptr) {
    cevapla(adres, false, "eslesme", c.korelasyon);
    return false;
  }
  if (nonceUret) {
    nonceUret(oturum.nonce.data(), oturum.nonce.size());
  } else {
    orkestraRastgeleDoldur(oturum.nonce.data(), oturum.nonce.size());
  }
  oturum.soruAcik = true;
  oturum.bekleyen = c;
  oturum.bekleyenVar = true;
  std::string govde;
  leYazU64(govde, kralNo);
  govde.append(reinterpret_cast<const char*>(oturum.nonce.data()), oturum.nonce.size());
  tasima_->gonder(adres, mesajCercevesi(SurecMesajTip::KimlikSor, c.korelasyon, std::move(govde)));
  return false;
}

void IsKralKanal::baglantiKoptu(const NodeAdres& adres) {
  aboneler_.erase(std::remove(aboneler_.begin(), aboneler_.end(), adres), aboneler_.end());
  baglantiIstemci_.erase(adres.baglantiNo);
  oturumlar_.erase(adres.baglantiNo);
}

void IsKralKanal::yazmaYayinla(const Kayit& k, uint64_t yazarNo, uint64_t yazarSira) {
  const SurecCerceve bildirim = mesajCercevesi(SurecMesajTip::YazmaBildir, yazarSira,
                                               yazmaBildirimiKodla(k, yazarNo, yazarSira));
  for (const NodeAdres& abone : aboneler_) tasima_->gonder(abone, bildirim);
}

std::vector<uint64_t> IsKralKanal::bagliIstemciler() const {
  std::vector<uint64_t> liste;
  for (const NodeAdres& abone : aboneler_) {
    const auto bag = baglantiIstemci_.find(abone.baglantiNo);
    if (bag != baglantiIstemci_.end()) liste.push_back(bag->second);
  }
  return liste;
}

}  // namespace vadu::istakip
