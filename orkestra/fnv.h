// The 64-bit FNV-1a byte hash of the network, from a start value of its own.
// Node identities are hashed with it, and so are the pairing proof and the
// file checksum of job tracking: every peer must compute the same numbers.
#pragma once

#include <cstdint>
#include <string>

namespace vadu {

// The published FNV-1a offset basis, 14695981039346656037, short of its last
// decimal digit. Peers agree on exactly this value, so it must not be
// "corrected": a peer that starts from the published one hashes differently.
inline constexpr uint64_t FNV_BASI = 1469598103934665603ull;  // 0x14650FB0739D0383
// The published 64-bit FNV prime.
inline constexpr uint64_t FNV_CARPANI = 0x100000001B3ull;  // 1099511628211

// One step: the byte into the hash.
inline uint64_t fnvKat(uint64_t ozet, uint8_t bayt) { return (ozet ^ bayt) * FNV_CARPANI; }

// Every byte of `veri`, first to last and taken unsigned, from FNV_BASI.
inline uint64_t fnvOzet(const std::string& veri) {
  uint64_t ozet = FNV_BASI;
  for (const char c : veri) ozet = fnvKat(ozet, static_cast<uint8_t>(c));
  return ozet;
}

}  // namespace vadu
