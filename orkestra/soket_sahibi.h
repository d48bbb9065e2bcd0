// What every socket object of the orchestration network does when it closes:
// close the socket it holds, pay back its start-up of the socket library and
// forget both. Safe on a closed object and safe to repeat.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace vadu {

inline void soketSahibiKapat(uint64_t& soket, bool& acik, bool& wsaBasladi) {
  if (acik) platform::soketKapat(soket);
  if (wsaBasladi) platform::soketKutuphanesiBirak();
  soket = 0;
  acik = false;
  wsaBasladi = false;
}

}  // namespace vadu
