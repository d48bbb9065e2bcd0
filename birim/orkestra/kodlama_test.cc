#include "orkestra/kodlama.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
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
      {"length past the end",
       std::string("\x05\x00"
                   "abc",
                   5),
       false, 2, "eski"},
      {"exact length",
       std::string("\x03\x00"
                   "abc",
                   5),
       true, 5, "abc"},
      {"bytes after the field",
       std::string("\x01\x00"
                   "abc",
                   5),
       true, 3, "a"},
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

// Each field in order, the cursor moving past it.
TEST(BaytOkuyucu, AlanlariSirayla) {
  std::string g("\x07\x00\x02\x01\x04\x03\x02\x01", 8);
  leYazU64(g, 0x1122334455667788ull);
  leYazMetin(g, "ad");
  g += "xyz";
  BaytOkuyucu o(g);
  uint8_t a = 0;
  bool bayrak = false;
  uint16_t c = 0;
  uint32_t d = 0;
  uint64_t e = 0;
  std::string metin, ham;
  const uint8_t* yer = nullptr;
  ASSERT_TRUE(o.u8(a) && o.bayrak(bayrak) && o.u16(c) && o.u32(d) && o.u64(e) && o.metin(metin));
  EXPECT_EQ(a, 7);
  EXPECT_FALSE(bayrak);
  EXPECT_EQ(c, 0x0102);
  EXPECT_EQ(d, 0x01020304u);
  EXPECT_EQ(e, 0x1122334455667788ull);
  EXPECT_EQ(metin, "ad");
  EXPECT_EQ(o.kalan(), 3u);
  ASSERT_TRUE(o.ham(1, yer) && o.ham(2, ham));
  EXPECT_EQ(yer, b(g) + g.size() - 3);
  EXPECT_EQ(ham, "yz");
  EXPECT_EQ(o.konum(), b(g) + g.size());
  EXPECT_FALSE(o.tukendi());
  std::string bos;
  EXPECT_TRUE(o.ham(0, bos));  // nothing asked, nothing short
}

// A read one byte short, or from a cursor that stands past its end, fails,
// moves nothing, writes nothing and marks the reader run out for good.
TEST(BaytOkuyucu, KisaGirdi) {
  struct Durum {
    const char* ad;
    size_t boy;  // the field's size; the input is one byte less
    std::function<bool(BaytOkuyucu&)> oku;
  };
  uint8_t a = 9;
  uint16_t c = 9;
  uint32_t d = 9;
  uint64_t e = 9;
  bool bayrak = true;
  std::array<uint8_t, 4> dizi{9, 9, 9, 9};
  const uint8_t* yer = nullptr;
  std::string metin = "eski";
  const Durum durumlar[] = {
      {"u8", 1, [&](BaytOkuyucu& o) { return o.u8(a); }},
      {"bayrak", 1, [&](BaytOkuyucu& o) { return o.bayrak(bayrak); }},
      {"u16", 2, [&](BaytOkuyucu& o) { return o.u16(c); }},
      {"u32", 4, [&](BaytOkuyucu& o) { return o.u32(d); }},
      {"u64", 8, [&](BaytOkuyucu& o) { return o.u64(e); }},
      {"ham", 3, [&](BaytOkuyucu& o) { return o.ham(3, yer); }},
      {"dizi", 4, [&](BaytOkuyucu& o) { return o.ham(dizi); }},
      {"metin", 2, [&](BaytOkuyucu& o) { return o.metin(metin); }},
  };
  for (const Durum& durum : durumlar) {
    const std::string g(durum.boy - 1, '\x01');
    BaytOkuyucu o(g);
    EXPECT_FALSE(durum.oku(o)) << durum.ad;
    EXPECT_EQ(o.kalan(), g.size()) << durum.ad;
    EXPECT_TRUE(o.tukendi()) << durum.ad;
    uint8_t sonraki = 0;
    if (!g.empty()) {
      EXPECT_TRUE(o.u8(sonraki)) << durum.ad;
      EXPECT_TRUE(o.tukendi()) << durum.ad;
    }
    // Past its end, with the field's bytes lying right at the cursor.
    const std::string tampon(2 * durum.boy, '\x01');
    BaytOkuyucu gecmis(b(tampon) + durum.boy, b(tampon) + durum.boy - 1);
    EXPECT_EQ(gecmis.kalan(), 0u) << durum.ad;
    EXPECT_FALSE(gecmis.yeter(1)) << durum.ad;
    EXPECT_FALSE(durum.oku(gecmis)) << durum.ad;
    EXPECT_EQ(gecmis.konum(), b(tampon) + durum.boy) << durum.ad;
    EXPECT_TRUE(gecmis.tukendi()) << durum.ad;
  }
  EXPECT_EQ(a, 9);
  EXPECT_TRUE(bayrak);
  EXPECT_EQ(c, 9);
  EXPECT_EQ(d, 9u);
  EXPECT_EQ(e, 9u);
  EXPECT_EQ(yer, nullptr);
  EXPECT_EQ(dizi, (std::array<uint8_t, 4>{9, 9, 9, 9}));
  EXPECT_EQ(metin, "eski");
}

// A string whose bytes run past the end leaves the cursor past its length,
// as leOkuMetin does; `yeter` only looks.
TEST(BaytOkuyucu, KesikMetinVeYeter) {
  const std::string g(
      "\x05\x00"
      "abc",
      5);
  BaytOkuyucu o(g);
  EXPECT_TRUE(o.yeter(5));
  EXPECT_FALSE(o.yeter(6));
  EXPECT_FALSE(o.tukendi());
  std::string metin = "eski";
  EXPECT_FALSE(o.metin(metin));
  EXPECT_EQ(metin, "eski");
  EXPECT_EQ(o.kalan(), 3u);
  EXPECT_TRUE(o.tukendi());
}

}  // namespace
}  // namespace vadu
