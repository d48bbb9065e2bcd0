// Little-endian field codec: unsigned integers least significant byte first,
// strings as a u16 length and their bytes. Writers append to a byte string;
// the integer readers read where their caller has already checked the length,
// and leOkuMetin is the one reader that checks bounds and moves a cursor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vadu {

// The longest string field; longer strings are cut to it when written.
inline constexpr size_t EN_UZUN_METIN = 0xFFFF;

// Received bytes arrive as `const char*`; the readers take bytes.
inline const uint8_t* baytlar(const char* p) { return reinterpret_cast<const uint8_t*>(p); }

inline void leYazU16(std::string& out, uint16_t v) {
  const char b[2] = {static_cast<char>(v), static_cast<char>(v >> 8)};
  out.append(b, sizeof b);
}

inline void leYazU32(std::string& out, uint32_t v) {
  const char b[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                     static_cast<char>(v >> 24)};
  out.append(b, sizeof b);
}

inline void leYazU64(std::string& out, uint64_t v) {
  leYazU32(out, static_cast<uint32_t>(v));
  leYazU32(out, static_cast<uint32_t>(v >> 32));
}

inline void leYazMetin(std::string& out, const std::string& s) {
  const size_t n = s.size() < EN_UZUN_METIN ? s.size() : EN_UZUN_METIN;
  leYazU16(out, static_cast<uint16_t>(n));
  out.append(s.data(), n);
}

inline uint16_t leOkuU16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (static_cast<uint16_t>(p[1]) << 8));
}

inline uint32_t leOkuU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline uint64_t leOkuU64(const uint8_t* p) {
  return static_cast<uint64_t>(leOkuU32(p)) | (static_cast<uint64_t>(leOkuU32(p + 4)) << 32);
}

// Reads one string field at `p` into `out` and moves `p` past it. With fewer
// than 2 bytes left nothing moves; with a length that runs past `son` the
// cursor stays just past the length and `out` is untouched.
inline bool leOkuMetin(const uint8_t*& p, const uint8_t* son, std::string& out) {
  if (son - p < 2) return false;
  const uint16_t n = leOkuU16(p);
  p += 2;
  if (son - p < n) return false;
  out.assign(reinterpret_cast<const char*>(p), n);
  p += n;
  return true;
}

}  // namespace vadu
