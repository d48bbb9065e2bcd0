#include "istakip/kanit.h"

#include <cstddef>

#include "orkestra/fnv.h"

namespace vadu::istakip {

uint64_t seritBasi(unsigned serit) {
  return (static_cast<uint64_t>(serit) + 1) * 0x9E3779B97F4A7C15ull ^ FNV_BASI;
}

Kanit kanitHesapla(const Anahtar& anahtar, const Nonce& nonce, uint64_t no) {
  Kanit kanit{};
  for (unsigned i = 0; i < 4; ++i) {
    uint64_t h = seritBasi(i);
    for (uint8_t b : anahtar) h = fnvKat(h, b);
    for (uint8_t b : nonce) h = fnvKat(h, b);
    for (unsigned j = 0; j < 8; ++j) h = fnvKat(h, static_cast<uint8_t>(no >> (8 * j)));
    for (int tur = 0; tur < 3; ++tur) {
      h ^= h >> 33;
      h *= 0xFF51AFD7ED558CCDull;
      h ^= h >> 29;
    }
    for (unsigned j = 0; j < 8; ++j) kanit[8 * i + j] = static_cast<uint8_t>(h >> (8 * j));
  }
  return kanit;
}

bool kanitEsit(const uint8_t* a, const uint8_t* b) {
  // volatile keeps the compiler from turning the loop into an early exit.
  volatile uint8_t fark = 0;
  for (std::size_t i = 0; i < sizeof(Kanit); ++i) fark = fark | (a[i] ^ b[i]);
  return fark == 0;
}

}  // namespace vadu::istakip
