#include "orkestra/hex.h"

namespace vadu {

std::string orkestraHexKodla(const std::string& veri) {
  static constexpr char RAKAMLAR[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(veri.size() * 2);
  for (const char c : veri) {
    const auto b = static_cast<unsigned char>(c);
    hex.push_back(RAKAMLAR[b >> 4]);
    hex.push_back(RAKAMLAR[b & 15]);
  }
  return hex;
}

std::string orkestraHexCoz(const std::string& hex) {
  // The value of one digit, -1 for anything else (bytes above 0x7F too).
  const auto yari = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string veri;
  veri.reserve(hex.size() / 2);
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    const int hi = yari(hex[i]);
    const int lo = yari(hex[i + 1]);
    if (hi < 0 || lo < 0) return "";
    veri.push_back(static_cast<char>((hi << 4) | lo));
  }
  return veri;
}

}  // namespace vadu
