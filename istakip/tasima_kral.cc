#include "istakip/tasima_kral.h"

#include <string>
#include <utility>

namespace vadu {

bool IstakipTasimaKral::ac(uint16_t port, uint64_t sinir, uint64_t tavan) {
  govdeSiniri = sinir;
  baglantiTavani = tavan != 0 ? tavan : 1;
  return dinleyici.ac(port);
}

void IstakipTasimaKral::nabiz() {
  for (uint64_t soket = dinleyici.kabulEt(); soket != 0; soket = dinleyici.kabulEt()) {
    if (baglantilar.size() < baglantiTavani) {
      baglantilar.push_back(std::make_unique<BaglantiKaydi>(++sonBaglantiNo, soket, govdeSiniri));
    } else {
      // Adopted only to be closed: the peer reads an end of stream.
      TcpBaglanti reddedilenBaglanti(soket);
      reddedilenBaglanti.kapat();
      ++reddedilen;
    }
  }
  for (size_t i = 0; i < baglantilar.size();) {
    if (oku(*baglantilar[i])) {
      ++i;
      continue;
    }
    const orkestra::NodeAdres adres{baglantilar[i]->id, 0};
    baglantilar.erase(baglantilar.begin() + static_cast<std::ptrdiff_t>(i));
    if (baglantiKoptu) baglantiKoptu(adres);
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
    if (alici) {
      for (const SurecCerceve& c : cerceveler) alici(adres, c);
    }
  }
}

bool IstakipTasimaKral::gonder(const orkestra::NodeAdres& hedef, const SurecCerceve& cerceve) {
  for (const auto& kayit : baglantilar) {
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
  baglantilar.clear();
  dinleyici.kapat();
}

}  // namespace vadu
