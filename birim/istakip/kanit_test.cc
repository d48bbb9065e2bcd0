#include "istakip/kanit.h"

#include <gtest/gtest.h>

#include <string>

namespace vadu::istakip {
namespace {

std::string onAltili(const Kanit& k) {
  static const char* h = "0123456789abcdef";
  std::string s;
  for (uint8_t b : k) {
    s += h[b >> 4];
    s += h[b & 15];
  }
  return s;
}

Anahtar sirali() {
  Anahtar a{};
  for (size_t i = 0; i < a.size(); ++i) a[i] = static_cast<uint8_t>(i);
  return a;
}

Nonce yuzden() {
  Nonce n{};
  for (size_t i = 0; i < n.size(); ++i) n[i] = static_cast<uint8_t>(100 + i);
  return n;
}

TEST(Kanit, SeritBaslari) {
  EXPECT_EQ(seritBasi(0), 0x8A5276090CD77F96ull);
  EXPECT_EQ(seritBasi(1), 0x280BFCC28D09FBA9ull);
  EXPECT_EQ(seritBasi(2), 0xCEC3629C0E4277BCull);
  EXPECT_EQ(seritBasi(3), 0x6CB8E9558EB4F3D7ull);
}

// Vectors worked out apart from this code; they pin the feeding order, the
// number's bytes (777 = 09 03 then six zeros) and the mix.
TEST(Kanit, BilinenDegerler) {
  EXPECT_EQ(onAltili(kanitHesapla(Anahtar{}, Nonce{}, 777)),
            "53029b5771689d7501e3c5f4aeb05c6af447890040d7a2bc03ece1ca13416814");
  EXPECT_EQ(onAltili(kanitHesapla(sirali(), yuzden(), 777)),
            "5a431b4bd112bf79dec5b1c9e7a41ea174ce7708b7e3be9b8c485c342ba9dcfa");
  // The number's bytes the other way round give another proof.
  EXPECT_NE(kanitHesapla(Anahtar{}, Nonce{}, 777),
            kanitHesapla(Anahtar{}, Nonce{}, 0x0903000000000000ull));
}

TEST(Kanit, BelirleyiciVeHerBiteDuyarli) {
  const Kanit temel = kanitHesapla(sirali(), yuzden(), 777);
  EXPECT_EQ(kanitHesapla(sirali(), yuzden(), 777), temel);
  for (size_t bit = 0; bit < 32 * 8; ++bit) {
    Anahtar a = sirali();
    a[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
    EXPECT_NE(kanitHesapla(a, yuzden(), 777), temel) << "key bit " << bit;
  }
  for (size_t bit = 0; bit < 16 * 8; ++bit) {
    Nonce n = yuzden();
    n[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
    EXPECT_NE(kanitHesapla(sirali(), n, 777), temel) << "nonce bit " << bit;
  }
  for (unsigned bit = 0; bit < 64; ++bit) {
    EXPECT_NE(kanitHesapla(sirali(), yuzden(), 777 ^ (1ull << bit)), temel) << "number bit " << bit;
  }
}

TEST(Kanit, EsitlikTumBaytlaraBakar) {
  const Kanit a = kanitHesapla(sirali(), yuzden(), 1);
  EXPECT_TRUE(kanitEsit(a.data(), a.data()));
  for (size_t i = 0; i < a.size(); ++i) {
    Kanit b = a;
    b[i] ^= 0x80;
    EXPECT_FALSE(kanitEsit(a.data(), b.data())) << "byte " << i;
  }
}

}  // namespace
}  // namespace vadu::istakip
