// Little-endian field codec: unsigned integers least significant byte first,
// strings as a u16 length and their bytes. Writers append to a byte string;
// the integer readers read where their caller has already checked the length,
// and leOkuMetin checks bounds and moves a cursor. Received bodies are read
// field by field through BaytOkuyucu, which checks every read.
#pragma once

#include <array>
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

// The bytes of `s` that leYazMetin writes, its length field left out.
inline size_t leMetinUzunlugu(const std::string& s) {
  return s.size() < EN_UZUN_METIN ? s.size() : EN_UZUN_METIN;
}

inline void leYazMetin(std::string& out, const std::string& s) {
  const size_t n = leMetinUzunlugu(s);
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

// A cursor over received bytes that checks its bounds, over the readers
// above. Each read takes one field at the cursor and moves past it. A read
// that finds too few bytes fails, marks the reader as run out for good, and
// moves nothing and writes nothing; `metin` alone fails as leOkuMetin does:
// when the length is there but its bytes are not, the cursor stays just past
// the length. A cursor that starts past its end has nothing left: every read
// that asks for a byte fails.
class BaytOkuyucu {
 public:
  BaytOkuyucu(const uint8_t* bas, const uint8_t* son) : p_(bas), son_(son) {}
  explicit BaytOkuyucu(const std::string& govde)
      : BaytOkuyucu(baytlar(govde.data()), baytlar(govde.data()) + govde.size()) {}

  bool u8(uint8_t& v) {
    if (!al(1)) return false;
    v = *p_++;
    return true;
  }
  // A flag: one byte, true when it is not 0.
  bool bayrak(bool& v) {
    uint8_t b = 0;
    if (!u8(b)) return false;
    v = b != 0;
    return true;
  }
  bool u16(uint16_t& v) { return sayi(v, leOkuU16); }
  bool u32(uint32_t& v) { return sayi(v, leOkuU32); }
  bool u64(uint64_t& v) { return sayi(v, leOkuU64); }
  bool metin(std::string& v) {
    if (leOkuMetin(p_, son_, v)) return true;
    tukendi_ = true;
    return false;
  }
  // The next `n` bytes where they lie: `v` points at them in the input.
  bool ham(size_t n, const uint8_t*& v) {
    if (!al(n)) return false;
    v = p_;
    p_ += n;
    return true;
  }
  // The next `n` bytes, copied into `v`.
  bool ham(size_t n, std::string& v) {
    const uint8_t* b = nullptr;
    if (!ham(n, b)) return false;
    v.assign(reinterpret_cast<const char*>(b), n);
    return true;
  }
  template <size_t N>
  bool ham(std::array<uint8_t, N>& v) {
    const uint8_t* b = nullptr;
    if (!ham(N, b)) return false;
    for (size_t i = 0; i < N; ++i) v[i] = b[i];
    return true;
  }

  // Whether `n` more bytes are there; reads nothing and marks nothing.
  bool yeter(size_t n) const { return kalan() >= n; }
  // What remains, counted as a signed difference: nothing past the end.
  size_t kalan() const { return son_ > p_ ? static_cast<size_t>(son_ - p_) : 0; }
  // A read has failed for want of bytes.
  bool tukendi() const { return tukendi_; }
  const uint8_t* konum() const { return p_; }

 private:
  bool al(size_t n) {
    if (yeter(n)) return true;
    tukendi_ = true;
    return false;
  }
  template <typename T>
  bool sayi(T& v, T (*oku)(const uint8_t*)) {
    if (!al(sizeof(T))) return false;
    v = oku(p_);
    p_ += sizeof(T);
    return true;
  }

  const uint8_t* p_;
  const uint8_t* son_;
  bool tukendi_ = false;
};

}  // namespace vadu
