#include "orkestra/kodlama.h"

#include <gtest/gtest.h>

#include <string>

namespace vadu {
namespace {

const uint8_t* b(const std::string& s) { return baytlar(s.data()); }

TEST(Kodlama, IntegersAreLittleEndianAndRoundTrip) {
  std::string s;
  leYazU16(s, 0x0102);
  leYazU32(s, 0x03040506);
  leYazU64(s, 0x0708090A0B0C0D0Eull);
  EXPECT_EQ(s, std::string("\x02\x01\x06\x05\x04\x03\x0E\x0D\x0C\x0B\x0A\x09\x08\x07", 14));
  EXPECT_EQ(leOkuU16(b(s)), 0x0102);
  EXPECT_EQ(leOkuU32(b(s) + 2), 0x03040506u);
  EXPECT_EQ(leOkuU64(b(s) + 6), 0x0708090A0B0C0D0Eull);

  std::string uc;
  leYazU16(uc, 0xFFFF);
  leYazU32(uc, 0xFFFFFFFF);
  leYazU64(uc, ~0ull);
  EXPECT_EQ(uc, std::string(14, '\xFF'));
  EXPECT_EQ(leOkuU64(b(uc) + 6), ~0ull);
}

TEST(Kodlama, StringFieldHoldsAnyBytes) {
  const std::string metin("a\0\xFF", 3);
  std::string s;
  leYazMetin(s, metin);
  EXPECT_EQ(s, std::string("\x03\x00", 2) + metin);
  const uint8_t* p = b(s);
  std::string out;
  ASSERT_TRUE(leOkuMetin(p, b(s) + s.size(), out));
  EXPECT_EQ(out, metin);
  EXPECT_EQ(p, b(s) + s.size());
}

TEST(Kodlama, OverlongStringIsCutTo65535Bytes) {
  std::string uzun(65536, 'x');
  uzun[65534] = 'y';
  uzun[65535] = 'z';
  std::string s;
  leYazMetin(s, uzun);
  ASSERT_EQ(s.size(), 2u + 65535u);
  EXPECT_EQ(leOkuU16(b(s)), 65535);
  const uint8_t* p = b(s);
  std::string out;
  ASSERT_TRUE(leOkuMetin(p, b(s) + s.size(), out));
  EXPECT_EQ(out, uzun.substr(0, 65535));
}

TEST(Kodlama, StringReaderCursorRules) {
  struct Durum {
    const char* ad;
    std::string girdi;
    bool sonuc;
    size_t imlec;  // where the cursor stands afterwards
    std::string out;
  };
  const Durum durumlar[] = {
      {"empty string, exactly two bytes", std::string("\x00\x00", 2), true, 2, ""},
      {"no byte", "", false, 0, "eski"},
      {"one byte", std::string("\x00", 1), false, 0, "eski"},
      {"length past the end", std::string("\x05\x00" "abc", 5), false, 2, "eski"},
      {"exact length", std::string("\x03\x00" "abc", 5), true, 5, "abc"},
      {"bytes after the field", std::string("\x01\x00" "abc", 5), true, 3, "a"},
  };
  for (const Durum& d : durumlar) {
    SCOPED_TRACE(d.ad);
    const uint8_t* p = b(d.girdi);
    std::string out = "eski";
    EXPECT_EQ(leOkuMetin(p, b(d.girdi) + d.girdi.size(), out), d.sonuc);
    EXPECT_EQ(static_cast<size_t>(p - b(d.girdi)), d.imlec);
    EXPECT_EQ(out, d.out);
  }
}

TEST(Kodlama, StringReaderWithCursorPastTheEndFails) {
  const std::string s("\x00\x00\x00", 3);
  const uint8_t* p = b(s) + 3;
  std::string out = "eski";
  EXPECT_FALSE(leOkuMetin(p, b(s) + 1, out));
  EXPECT_EQ(p, b(s) + 3);
  EXPECT_EQ(out, "eski");
}

}  // namespace
}  // namespace vadu
