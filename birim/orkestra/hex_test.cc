#include "orkestra/hex.h"

#include <gtest/gtest.h>

#include <string>

namespace vadu {
namespace {

TEST(OrkestraHex, EveryByteValueRoundTrips) {
  std::string hepsi;
  for (int i = 0; i < 256; ++i) hepsi.push_back(static_cast<char>(i));
  const std::string hex = orkestraHexKodla(hepsi);
  ASSERT_EQ(hex.size(), 512u);
  EXPECT_EQ(hex.substr(0, 6), "000102");
  EXPECT_EQ(hex.substr(0x7F * 2, 4), "7f80");  // the sign bit plays no part
  EXPECT_EQ(hex.substr(506), "fdfeff");
  EXPECT_EQ(orkestraHexCoz(hex), hepsi);
}

TEST(OrkestraHex, EncodesLowercaseHighHalfFirst) {
  EXPECT_EQ(orkestraHexKodla("abc"), "616263");
  EXPECT_EQ(orkestraHexKodla(std::string("\x00\xAB\xFF", 3)), "00abff");
  EXPECT_EQ(orkestraHexKodla(""), "");
}

TEST(OrkestraHex, DecoderIsStrictAboutDigitsAndDropsAnOddLastCharacter) {
  const struct {
    const char* hex;
    std::string bayt;
  } durumlar[] = {
      {"", ""},
      {"ab", "\xAB"},
      {"AB", "\xAB"},
      {"aB0f", "\xAB\x0F"},
      {"abc", "\xAB"},  // the odd last character is not looked at,
      {"abz", "\xAB"},  // valid or not
      {"a", ""},
      {"zz", ""},
      {"0g", ""},    // one bad digit spoils its pair,
      {"ab0g", ""},  // and a bad pair spoils what came before
      {"g0ab", ""},
      {"\xC3\xA7", ""},  // bytes above 0x7F are never digits
      {"00", std::string(1, '\0')},
  };
  for (const auto& d : durumlar) EXPECT_EQ(orkestraHexCoz(d.hex), d.bayt) << '"' << d.hex << '"';
}

}  // namespace
}  // namespace vadu
