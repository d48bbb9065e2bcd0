// TCP over 127.0.0.1 on ports the system hands out (never a suite port).
#include "orkestra/tcp.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/platform.h"

namespace vadu {
namespace {

namespace pl = platform;

// A port that was free a moment ago: bound once with port 0 and let go.
uint16_t bosPort() {
  pl::soketKutuphanesiBaslat();
  const pl::Soket s = pl::soketAc(pl::SoketTur::Akis);
  pl::soketAdresAta(s, pl::IPV4_GERI_DONGU, 0);
  const uint16_t port = pl::soketYerelPort(s);
  pl::soketKapat(s);
  pl::soketKutuphanesiBirak();
  return port;
}

// Polls kabulEt a bounded number of times.
uint64_t kabulBekle(TcpDinleyici& d) {
  uint64_t s = 0;
  for (int i = 0; i < 200 && s == 0; ++i) {
    s = d.kabulEt();
    if (s == 0) pl::uyu(1);
  }
  return s;
}

// Polls al until it gives something other than 0, a bounded number of times.
int alBekle(TcpBaglanti& b, std::string& veri) {
  int n = 0;
  for (int i = 0; i < 500 && n == 0; ++i) {
    n = b.al(veri);
    if (n == 0) pl::uyu(1);
  }
  return n;
}

class TcpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    baslangicSayaci_ = pl::soketKutuphanesiSayaci();
    port_ = bosPort();
    ASSERT_NE(port_, 0);
    ASSERT_TRUE(dinleyici_.ac(port_));
  }
  // Every object gives back its start-up of the socket library.
  void TearDown() override {
    dinleyici_.kapat();
    EXPECT_EQ(pl::soketKutuphanesiSayaci(), baslangicSayaci_);
  }

  // A connected pair: `istemci` made outward, `sunucu` adopted.
  void cift(TcpBaglanti& istemci, TcpBaglanti& sunucu) {
    ASSERT_TRUE(istemci.baglan("127.0.0.1", port_));
    sunucu = TcpBaglanti(kabulBekle(dinleyici_));
    ASSERT_TRUE(sunucu.acikMi());
  }

  uint32_t baslangicSayaci_ = 0;
  uint16_t port_ = 0;
  TcpDinleyici dinleyici_;
};

TEST_F(TcpTest, IkinciDinleyiciReddedilirIlkiDinlemeyeDevamEder) {
  TcpDinleyici ikinci;
  EXPECT_FALSE(ikinci.ac(port_));
  EXPECT_FALSE(ikinci.acikMi());
  EXPECT_EQ(ikinci.port(), 0);
  EXPECT_TRUE(dinleyici_.acikMi());
  EXPECT_EQ(dinleyici_.port(), port_);
  TcpBaglanti istemci, sunucu;
  cift(istemci, sunucu);
}

// connect completes into the backlog; accepting comes afterwards.
TEST_F(TcpTest, BaglanKabuldenOnceBasarir) {
  TcpBaglanti istemci;
  ASSERT_TRUE(istemci.baglan("127.0.0.1", port_));
  EXPECT_EQ(pl::soketKutuphanesiSayaci(), baslangicSayaci_ + 2);
  const uint64_t s = kabulBekle(dinleyici_);
  ASSERT_NE(s, 0u);
  TcpBaglanti sunucu(s);
  EXPECT_TRUE(sunucu.acikMi());
  EXPECT_EQ(dinleyici_.kabulEt(), 0u);  // nobody else waits
}

TEST_F(TcpTest, AlSifirVeriSonraEksiBir) {
  TcpBaglanti istemci, sunucu;
  cift(istemci, sunucu);
  std::string veri = "eski";
  EXPECT_EQ(sunucu.al(veri), 0);
  EXPECT_EQ(veri, "eski");
  ASSERT_TRUE(istemci.gonder("merhaba"));
  istemci.kapat();
  ASSERT_EQ(alBekle(sunucu, veri), 7);
  EXPECT_EQ(veri, "merhaba");  // replaced, not appended
  EXPECT_EQ(alBekle(sunucu, veri), -1);
  EXPECT_EQ(veri, "merhaba");
  EXPECT_TRUE(sunucu.acikMi());  // only the owner closes
}

// The process must survive: a send to a peer that has gone is an error.
TEST_F(TcpTest, KapananKarsiyaGonderimBasarisiz) {
  TcpBaglanti istemci, sunucu;
  cift(istemci, sunucu);
  sunucu.kapat();
  bool gitti = true;
  for (int i = 0; i < 200 && gitti; ++i) {
    gitti = istemci.gonder("veri");
    if (gitti) pl::uyu(1);
  }
  EXPECT_FALSE(gitti);
  EXPECT_TRUE(istemci.acikMi());
}

TEST_F(TcpTest, BirMebibaytTekGonderimdeButunUlasir) {
  TcpBaglanti istemci, sunucu;
  cift(istemci, sunucu);
  std::string buyuk(1 << 20, '\0');
  for (size_t i = 0; i < buyuk.size(); ++i) buyuk[i] = static_cast<char>(i * 131 + (i >> 12));
  std::string gelen;
  int parca = 0;
  bool sinirAsildi = false;
  std::thread okuyucu([&] {
    for (int bos = 0; gelen.size() < buyuk.size() && bos < 5000;) {
      std::string veri;
      const int n = sunucu.al(veri);
      if (n > 0) {
        sinirAsildi |= n > 4096 || static_cast<size_t>(n) != veri.size();
        gelen += veri;
        ++parca;
      } else if (n == 0) {
        ++bos;
        pl::uyu(1);
      } else {
        break;
      }
    }
  });
  EXPECT_TRUE(istemci.gonder(buyuk));
  okuyucu.join();
  EXPECT_TRUE(gelen == buyuk);
  EXPECT_FALSE(sinirAsildi);
  EXPECT_GE(parca, 256);
}

TEST_F(TcpTest, DinleyiciKendiKapattigiBaglantilardanSonraYenidenAcilir) {
  {
    TcpBaglanti istemci, sunucu;
    cift(istemci, sunucu);
    sunucu.kapat();  // this side closes first and keeps TIME_WAIT
    std::string veri;
    EXPECT_EQ(alBekle(istemci, veri), -1);
  }
  dinleyici_.kapat();
  EXPECT_TRUE(dinleyici_.ac(port_));
}

TEST_F(TcpTest, TasimaSoketiVeBaslatmayiGoturur) {
  TcpBaglanti istemci, sunucu;
  cift(istemci, sunucu);
  TcpBaglanti yeni(std::move(istemci));
  EXPECT_FALSE(istemci.acikMi());
  EXPECT_FALSE(istemci.gonder("x"));
  EXPECT_TRUE(yeni.gonder("tasindi"));
  std::string veri;
  ASSERT_EQ(alBekle(sunucu, veri), 7);
  EXPECT_EQ(veri, "tasindi");
  yeni = TcpBaglanti();
  EXPECT_FALSE(yeni.acikMi());
}

TEST(TcpKapali, HerSeyGuvenleReddedilir) {
  const uint32_t sayac = pl::soketKutuphanesiSayaci();
  TcpBaglanti b;
  std::string veri = "aynen";
  EXPECT_FALSE(b.gonder("x"));
  EXPECT_EQ(b.al(veri), -1);
  EXPECT_EQ(veri, "aynen");
  EXPECT_TRUE(b.gonder("") == false);
  TcpDinleyici d;
  EXPECT_EQ(d.kabulEt(), 0u);
  d.kapat();
  d.kapat();
  b.kapat();
  b.kapat();
  // Adopting nothing stays closed.
  TcpBaglanti hic(0);
  EXPECT_FALSE(hic.acikMi());
  EXPECT_EQ(pl::soketKutuphanesiSayaci(), sayac);
}

// A failed baglan has closed its socket and released its start-up; names
// are never looked up.
TEST(TcpKapali, BaglanBasarisizligi) {
  const uint32_t sayac = pl::soketKutuphanesiSayaci();
  const uint16_t port = bosPort();
  for (const char* ip : {"localhost", "::1", "127.0.0", "", static_cast<const char*>(nullptr)}) {
    TcpBaglanti b;
    EXPECT_FALSE(b.baglan(ip, port)) << (ip ? ip : "null");
    EXPECT_FALSE(b.acikMi());
  }
  TcpBaglanti b;
  EXPECT_FALSE(b.baglan("127.0.0.1", port));  // nothing listens
  EXPECT_EQ(pl::soketKutuphanesiSayaci(), sayac);
}

}  // namespace
}  // namespace vadu
