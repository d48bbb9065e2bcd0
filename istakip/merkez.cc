#include "istakip/merkez.h"

#include <algorithm>
#include <utility>

namespace vadu::istakip {

IsMerkez::IsMerkez(DepoArayuz& depo)
    : depo_(&depo), sonSurum_(depo.enBuyukSurum()), sonId_(depo.enBuyukId()) {}

YazmaSonucu IsMerkez::yaz(uint64_t istemciNo, uint64_t sira, const Kayit& kayit,
                          uint64_t beklenenSurum) {
  YazmaSonucu sonuc;
  if (sira == 0) return sonuc;
  if (sira <= depo_->yazarSira(istemciNo)) return sonuc;

  // A new record has nothing to compare with.
  if (beklenenSurum != 0 && kayit.id != 0) {
    Kayit mevcut;
    if (!depo_->bul(kayit.id, mevcut) || mevcut.surum != beklenenSurum) {
      sonuc.cakisma = true;
      // The sequence number is used up: the same write again is a repeat.
      depo_->yazarSiraKaydet(istemciNo, sira);
      return sonuc;
    }
  }

  // A client may name any identifier, the largest too; after it there is
  // none left to give, and wrapping to 0 would store every later new record
  // under 0, each over the one before. The store cannot take the write.
  if (kayit.id == 0 && sonId_ == UINT64_MAX) {
    sonuc.depoHatasi = true;
    return sonuc;
  }
  Kayit k = kayit;
  if (k.id == 0) k.id = sonId_ + 1;
  k.surum = sonSurum_ + 1;
  if (!depo_->kaydet(k)) {
    sonuc.depoHatasi = true;
    return sonuc;
  }
  // The record is stored from here on, whatever happens to the sequence
  // number: its identifier and version are taken, or the next write would
  // reuse them and overwrite it.
  sonId_ = std::max(sonId_, k.id);
  sonSurum_ = k.surum;
  if (!depo_->yazarSiraKaydet(istemciNo, sira)) {
    sonuc.depoHatasi = true;
    return sonuc;
  }
  sonuc.basarili = true;
  sonuc.kayit = std::move(k);
  return sonuc;
}

}  // namespace vadu::istakip
