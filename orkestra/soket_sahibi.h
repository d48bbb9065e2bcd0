// What every socket object of the orchestration network does when it opens
// and when it closes: take its own start-up of the socket library before it
// makes a socket, and on closing close the socket it holds, pay back the
// start-up and forget both.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace vadu {

// Takes the object's start-up of the socket library and makes a socket of
// `tur`; GECERSIZ_SOKET when either fails, and the caller then closes itself
// with soketSahibiKapat, giving back what was taken.
inline platform::Soket soketSahibiAc(platform::SoketTur tur, bool& wsaBasladi) {
  if (!platform::soketKutuphanesiBaslat()) return platform::GECERSIZ_SOKET;
  wsaBasladi = true;
  return platform::soketAc(tur);
}

// Safe on a closed object and safe to repeat.
inline void soketSahibiKapat(uint64_t& soket, bool& acik, bool& wsaBasladi) {
  if (acik) platform::soketKapat(soket);
  if (wsaBasladi) platform::soketKutuphanesiBirak();
  soket = 0;
  acik = false;
  wsaBasladi = false;
}

}  // namespace vadu
