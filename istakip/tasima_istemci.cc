#include "istakip/tasima_istemci.h"

#include <vector>

namespace vadu {

void IstakipTasimaIstemci::hedefAyarla(const std::string& host, uint16_t port,
                                       uint64_t govdeSiniri) {
  host_ = host;
  port_ = port;
  cozucu_ = CerceveCozucu(govdeSiniri);
  sonDeneme_ = 0;
}

void IstakipTasimaIstemci::nabiz(uint64_t simdiMs, uint64_t tekrarMs) {
  if (host_.empty() || port_ == 0) return;
  if (!baglanti_.acikMi()) {
    // Unsigned: a clock that went back wraps to a large gap and may try.
    if (sonDeneme_ != 0 && simdiMs - sonDeneme_ < tekrarMs) return;
    sonDeneme_ = simdiMs;
    if (!baglanti_.baglan(host_.c_str(), port_)) return;
    cozucu_.sifirla();
    if (baglandi_) baglandi_();
    // The handler's first send may already have lost the connection.
    if (!baglanti_.acikMi()) return;
  }
  std::string veri;
  for (;;) {
    const int n = baglanti_.al(veri);
    if (n == 0) return;
    std::vector<SurecCerceve> cerceveler;
    if (n < 0 || !cozucu_.besle(veri.data(), veri.size(), cerceveler)) {
      baglantiyiBirak();
      return;
    }
    if (alici_) {
      for (const SurecCerceve& c : cerceveler) alici_(orkestra::NodeAdres{}, c);
    }
    // A send from a handler may have failed and dropped the connection; the
    // loss has been reported once already.
    if (!baglanti_.acikMi()) return;
  }
}

bool IstakipTasimaIstemci::gonder(const orkestra::NodeAdres&, const SurecCerceve& cerceve) {
  if (!baglanti_.acikMi()) return false;
  if (baglanti_.gonder(surecproto::cerceveSerialize(cerceve))) return true;
  baglantiyiBirak();
  return false;
}

void IstakipTasimaIstemci::kapat() {
  baglanti_.kapat();
  cozucu_.sifirla();
}

void IstakipTasimaIstemci::baglantiyiBirak() {
  kapat();
  if (koptu_) koptu_();
}

}  // namespace vadu
