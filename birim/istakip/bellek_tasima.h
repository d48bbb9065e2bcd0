// A transport double for the channel tests: it keeps what is sent, can be
// told to fail sends, and hands frames to the registered handler on demand.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <utility>
#include <vector>

#include "istakip/tasima.h"

namespace vadu::istakip {

struct Giden {
  orkestra::NodeAdres hedef;
  SurecCerceve cerceve;
};

class BellekTasima : public orkestra::TasimaArayuz {
 public:
  const char* ad() override { return "bellek"; }
  bool gonder(const orkestra::NodeAdres& hedef, const SurecCerceve& c) override {
    if (!basarili) return false;
    gidenler.push_back(Giden{hedef, c});
    return true;
  }
  void teslimEt(const orkestra::NodeAdres& kimden, const SurecCerceve& c) {
    if (alici_) alici_(kimden, c);
  }
  std::vector<Giden> al() { return std::exchange(gidenler, {}); }

  bool basarili = true;
  std::vector<Giden> gidenler;
};

// A king double and several client doubles wired together: what the king
// sends to connection n reaches client n, and what client n sends reaches
// the king from connection n.
struct BellekAg {
  BellekTasima kral;
  std::map<uint64_t, BellekTasima> istemciler;

  // Moves frames until nothing is left; returns the number moved.
  size_t pompala() {
    size_t toplam = 0;
    for (bool hareket = true; hareket;) {
      hareket = false;
      for (auto& [no, t] : istemciler) {
        for (const Giden& g : t.al()) {
          kral.teslimEt(orkestra::NodeAdres{no, 0}, g.cerceve);
          hareket = true;
          ++toplam;
        }
      }
      for (const Giden& g : kral.al()) {
        const auto it = istemciler.find(g.hedef.baglantiNo);
        if (it != istemciler.end()) it->second.teslimEt(orkestra::NodeAdres{}, g.cerceve);
        hareket = true;
        ++toplam;
      }
    }
    return toplam;
  }
};

}  // namespace vadu::istakip
