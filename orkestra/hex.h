// Byte strings as lowercase hexadecimal text and back.
#pragma once

#include <string>

namespace vadu {

// Two lowercase digits per byte, high half first.
std::string orkestraHexKodla(const std::string& veri);

// The bytes that the digit pairs stand for; either case of letter is a digit.
// A bad digit anywhere gives "" (never a partial result); an odd last
// character is dropped unread.
std::string orkestraHexCoz(const std::string& hex);

}  // namespace vadu
