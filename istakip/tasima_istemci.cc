#include "istakip/tasima_istemci.h"

#include <vector>

namespace vadu {

void IstakipTasimaIstemci::hedefAyarla(const std::string& h, uint16_t p, uint64_t govdeSiniri) {
  host = h;
  port = p;
  cozucu = CerceveCozucu(govdeSiniri);
  sonDeneme = 0;
}

void IstakipTasimaIstemci::nabiz(uint64_t simdiMs, uint64_t tekrarMs) {
  if (host.empty() || port == 0) return;
  if (!baglanti.acikMi()) {
    // Unsigned: a clock that went back wraps to a large gap and may try.
    if (sonDeneme != 0 && simdiMs - sonDeneme < tekrarMs) return;
    sonDeneme = simdiMs;
    if (!baglanti.baglan(host.c_str(), port)) return;
    cozucu.sifirla();
    if (baglandi) baglandi();
    // The handler's first send may already have lost the connection.
    if (!baglanti.acikMi()) return;
  }
  std::string veri;
  for (;;) {
    const int n = baglanti.al(veri);
    if (n == 0) return;
    std::vector<SurecCerceve> cerceveler;
    if (n < 0 || !cozucu.besle(veri.data(), veri.size(), cerceveler)) {
      baglantiyiBirak();
      return;
    }
    if (alici) {
      for (const SurecCerceve& c : cerceveler) alici(orkestra::NodeAdres{}, c);
    }
    // A send from a handler may have failed and dropped the connection; the
    // loss has been reported once already.
    if (!baglanti.acikMi()) return;
  }
}

bool IstakipTasimaIstemci::gonder(const orkestra::NodeAdres&, const SurecCerceve& cerceve) {
  if (!baglanti.acikMi()) return false;
  if (baglanti.gonder(surecproto::cerceveSerialize(cerceve))) return true;
  baglantiyiBirak();
  return false;
}

void IstakipTasimaIstemci::kapat() {
  baglanti.kapat();
  cozucu.sifirla();
}

void IstakipTasimaIstemci::baglantiyiBirak() {
  kapat();
  if (koptu) koptu();
}

}  // namespace vadu
