// Random bytes for nonces and keys of the orchestration network.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vadu {

// Fills tampon[0..uzunluk-1] from the system's cryptographic generator. Should that
// fail, the whole buffer is filled instead from a linear congruential
// generator seeded from the system's counters: weaker, but never a failure
// for the caller.
void orkestraRastgeleDoldur(uint8_t* tampon, size_t uzunluk);

}  // namespace vadu
