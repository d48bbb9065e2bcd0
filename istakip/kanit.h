// The pairing proof: a keyed mix of the shared 32-byte key, the king's
// 16-byte challenge and the proving client's number. Both sides compute it;
// the king accepts when the 32 bytes agree.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace vadu::istakip {

using Anahtar = std::array<uint8_t, 32>;
using Nonce = std::array<uint8_t, 16>;
using Kanit = std::array<uint8_t, 32>;

// The owner's key lookup of both channels: the key shared with the peer of
// this number, or null for none.
using AnahtarBul = std::function<const Anahtar*(uint64_t)>;

// The start value of lane `serit` (0 to 3).
uint64_t seritBasi(unsigned serit);

Kanit kanitHesapla(const Anahtar& anahtar, const Nonce& nonce, uint64_t no);

// Compares all 32 bytes without stopping at the first difference, so that
// the time taken tells nothing about where two proofs differ.
bool kanitEsit(const uint8_t* a, const uint8_t* b);

}  // namespace vadu::istakip
