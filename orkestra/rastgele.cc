#include "orkestra/rastgele.h"

#include <algorithm>
#include <limits>

#include "platform/platform.h"

namespace vadu {

namespace pl = platform;

namespace {

// The system generator takes at most this many bytes per call.
constexpr size_t EN_BUYUK_PARCA = std::numeric_limits<uint32_t>::max();

// Knuth's MMIX generator; each step gives one byte from bits 33 to 40.
void yedektenDoldur(uint8_t* tampon, size_t uzunluk) {
  uint64_t x = pl::performansSayaci() ^ pl::tikSayisi();
  for (size_t i = 0; i < uzunluk; ++i) {
    x = x * 6364136223846793005ull + 1442695040888963407ull;
    tampon[i] = static_cast<uint8_t>(x >> 33);
  }
}

}  // namespace

void orkestraRastgeleDoldur(uint8_t* tampon, size_t uzunluk) {
  // A buffer beyond what one call takes goes in pieces, so no byte is left
  // unfilled; any failing piece hands the whole buffer to the fallback.
  size_t dolu = 0;
  do {
    const size_t parca = std::min(uzunluk - dolu, EN_BUYUK_PARCA);
    if (!pl::sistemRastgele(tampon + dolu, static_cast<uint32_t>(parca))) {
      yedektenDoldur(tampon, uzunluk);
      return;
    }
    dolu += parca;
  } while (dolu < uzunluk);
}

}  // namespace vadu
