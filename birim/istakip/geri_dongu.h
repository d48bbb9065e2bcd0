// Helpers of the loopback tests: ports of their own (never the suite's),
// found by trying a small range, and polling bounded in passes and time.
#pragma once

#include <chrono>
#include <cstdint>

#include "istakip/tasima_kral.h"
#include "platform/platform.h"

namespace vadu::istakip {

// Opens `kral` on the first free port of [ilk, ilk + 40); 0 when none is.
inline uint16_t portAc(IstakipTasimaKral& kral, uint16_t ilk, uint64_t sinir = 0x400000,
                       uint64_t tavan = 32) {
  for (uint16_t p = ilk; p < ilk + 40; ++p) {
    if (kral.ac(p, sinir, tavan)) return p;
  }
  return 0;
}

// Runs `adim` and then tests `kosul` until it holds, at most `ms` of real
// time and 10000 passes, sleeping 1 ms between passes.
template <typename Adim, typename Kosul>
bool bekle(Adim adim, Kosul kosul, int ms = 3000) {
  const auto son = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (int i = 0; i < 10000 && std::chrono::steady_clock::now() < son; ++i) {
    adim();
    if (kosul()) return true;
    platform::uyu(1);
  }
  return false;
}

}  // namespace vadu::istakip
