#include "istakip/tasima_kral.h"

#include <string>
#include <utility>

namespace vadu {

bool IstakipTasimaKral::ac(uint16_t port, uint64_t govdeSiniri, uint64_t baglantiTavani) {
  govdeSiniri_ = govdeSiniri;
  baglantiTavani_ = baglantiTavani != 0 ? baglantiTavani : 1;
  return dinleyici_.ac(port);
}

void IstakipTasimaKral::nabiz() {
  for (uint64_t soket = dinleyici_.kabulEt(); soket != 0; soket = dinleyici_.kabulEt()) {
    if (baglantilar_.size() < baglantiTavani_) {
      baglantilar_.push_back(
          std::make_unique<BaglantiKaydi>(++sonBaglantiNo_, soket, govdeSiniri_));
    } else {
      // Adopted only to be closed: the peer reads an end of stream.
      TcpBaglanti reddedilenBaglanti(soket);
      reddedilenBaglanti.kapat();
      ++reddedilenBaglanti_;
    }
  }
  for (size_t i = 0; i < baglantilar_.size();) {
    if (oku(*baglantilar_[i])) {
      ++i;
      continue;
    }
    const orkestra::NodeAdres adres{baglantilar_[i]->id, 0};
    baglantilar_.erase(baglantilar_.begin() + static_cast<std::ptrdiff_t>(i));
    if (baglantiKoptu_) baglantiKoptu_(adres);
  }
}

bool IstakipTasimaKral::oku(BaglantiKaydi& kayit) {
  const orkestra::NodeAdres adres{kayit.id, 0};
  std::string veri;
  for (;;) {
    const int n = kayit.baglanti.al(veri);
    if (n == 0) return true;
    if (n < 0) return false;
    std::vector<SurecCerceve> cerceveler;
    if (!kayit.cozucu.besle(veri.data(), veri.size(), cerceveler)) return false;
    if (alici_) {
      for (const SurecCerceve& c : cerceveler) alici_(adres, c);
    }
  }
}

bool IstakipTasimaKral::gonder(const orkestra::NodeAdres& hedef, const SurecCerceve& cerceve) {
  for (const auto& kayit : baglantilar_) {
    if (kayit->id != hedef.baglantiNo) continue;
    if (kayit->baglanti.gonder(surecproto::cerceveSerialize(cerceve))) return true;
    // Removing the record here could pull it from under a pass that is
    // walking the list; a closed connection reads as lost in the next pass.
    kayit->baglanti.kapat();
    return false;
  }
  return false;
}

void IstakipTasimaKral::kapat() {
  baglantilar_.clear();
  dinleyici_.kapat();
}

}  // namespace vadu
