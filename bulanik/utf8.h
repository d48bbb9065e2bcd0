// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF),
// for the targets whose invariants speak of valid text.
#pragma once

#include <cstddef>
#include <string>

inline bool utf8Dogru(const std::string& s) {
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t ek;
    unsigned alt = 0x80, ust = 0xBF;  // range of the second byte
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      ek = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      ek = 2;
      if (c == 0xE0) alt = 0xA0;
      if (c == 0xED) ust = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      ek = 3;
      if (c == 0xF0) alt = 0x90;
      if (c == 0xF4) ust = 0x8F;
    } else {
      return false;
    }
    if (s.size() - i <= ek) return false;
    for (size_t j = 1; j <= ek; ++j) {
      const unsigned d = static_cast<unsigned char>(s[i + j]);
      if (j == 1 ? (d < alt || d > ust) : (d < 0x80 || d > 0xBF)) return false;
    }
    i += ek + 1;
  }
  return true;
}
