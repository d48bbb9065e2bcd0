#include "istakip/tasima_kral.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "birim/istakip/geri_dongu.h"
#include "orkestra/cerceve.h"
#include "orkestra/cozucu.h"
#include "orkestra/tcp.h"

namespace vadu::istakip {
namespace {

constexpr uint16_t ILK_PORT = 29600;

SurecCerceve cerceve(uint64_t korelasyon, const std::string& govde = "") {
  SurecCerceve c;
  c.tip = SurecMesajTip::YazmaIste;
  c.korelasyon = korelasyon;
  c.govde = govde;
  return c;
}

// Reads `b` until something other than "nothing yet" comes; -1 for an end
// of stream, else the byte count. 0 when nothing came within the time.
int okumayiBekle(TcpBaglanti& b, std::string& veri, int ms = 2000) {
  int n = 0;
  bekle([&] { n = b.al(veri); }, [&] { return n != 0; }, ms);
  return n;
}

class KralTasima : public testing::Test {
 protected:
  void SetUp() override {
    port = portAc(kral, ILK_PORT);
    ASSERT_NE(port, 0);
    kral.aliciAyarla([this](const orkestra::NodeAdres& a, const SurecCerceve& c) {
      olaylar.push_back("cerceve " + std::to_string(a.baglantiNo) + ":" + std::to_string(a.ekNo) +
                        " " + std::to_string(c.korelasyon));
    });
    kral.baglantiKoptuAyarla([this](const orkestra::NodeAdres& a) {
      olaylar.push_back("koptu " + std::to_string(a.baglantiNo) + ":" + std::to_string(a.ekNo));
    });
  }
  bool baglantiBekle(size_t n) {
    return bekle([&] { kral.nabiz(); }, [&] { return kral.baglantiSayisi() == n; });
  }
  bool olayBekle(size_t n) {
    return bekle([&] { kral.nabiz(); }, [&] { return olaylar.size() >= n; });
  }

  IstakipTasimaKral kral;
  uint16_t port = 0;
  std::vector<std::string> olaylar;
};

TEST_F(KralTasima, TavanIkinciyiReddeder) {
  kral.kapat();
  ASSERT_TRUE(kral.ac(port, 0x400000, 0));  // a ceiling of 0 is 1
  TcpBaglanti b1, b2;
  ASSERT_TRUE(b1.baglan("127.0.0.1", port));
  ASSERT_TRUE(b2.baglan("127.0.0.1", port));
  ASSERT_TRUE(bekle([&] { kral.nabiz(); }, [&] { return kral.reddedilenBaglanti() != 0; }));
  EXPECT_EQ(kral.baglantiSayisi(), 1u);
  EXPECT_EQ(kral.reddedilenBaglanti(), 1u);
  // The refused one reads an end of stream; the accepted one stays open.
  std::string veri;
  const int n1 = okumayiBekle(b1, veri, 300);
  const int n2 = okumayiBekle(b2, veri, 300);
  EXPECT_EQ((n1 == -1) + (n2 == -1), 1) << n1 << " " << n2;
  EXPECT_TRUE(olaylar.empty());
}

TEST_F(KralTasima, NumaralarHicTekrarlanmaz) {
  for (uint64_t beklenen = 1; beklenen <= 3; ++beklenen) {
    if (beklenen == 3) {  // across kapat and a new ac too
      kral.kapat();
      EXPECT_EQ(kral.baglantiSayisi(), 0u);
      ASSERT_TRUE(kral.ac(port, 0x400000, 32));
    }
    TcpBaglanti b;
    ASSERT_TRUE(b.baglan("127.0.0.1", port));
    ASSERT_TRUE(b.gonder(surecproto::cerceveSerialize(cerceve(beklenen))));
    olaylar.clear();
    ASSERT_TRUE(olayBekle(1));
    EXPECT_EQ(olaylar[0], "cerceve " + std::to_string(beklenen) + ":0 " + std::to_string(beklenen));
    if (beklenen < 3) {
      b.kapat();
      ASSERT_TRUE(olayBekle(2));
      EXPECT_EQ(olaylar[1], "koptu " + std::to_string(beklenen) + ":0");
      EXPECT_EQ(kral.baglantiSayisi(), 0u);
      EXPECT_FALSE(kral.gonder(orkestra::NodeAdres{beklenen, 0}, cerceve(1)));
    }
  }
  olaylar.clear();
  kral.kapat();  // no drop notice
  EXPECT_TRUE(olaylar.empty());
}

TEST_F(KralTasima, SihirsizBaytlarBaglantiyiDusurur) {
  TcpBaglanti b;
  ASSERT_TRUE(b.baglan("127.0.0.1", port));
  ASSERT_TRUE(baglantiBekle(1));
  // A good frame, then garbage, in one send: the read that carries the
  // garbage delivers nothing.
  ASSERT_TRUE(b.gonder(surecproto::cerceveSerialize(cerceve(5)) + std::string(40, 'x')));
  ASSERT_TRUE(olayBekle(1));
  EXPECT_EQ(olaylar, std::vector<std::string>{"koptu 1:0"});
  std::string veri;
  EXPECT_EQ(okumayiBekle(b, veri), -1);
}

TEST_F(KralTasima, GovdeSiniriniAsanDusurulur) {
  kral.kapat();
  ASSERT_TRUE(kral.ac(port, 4, 32));
  TcpBaglanti b;
  ASSERT_TRUE(b.baglan("127.0.0.1", port));
  ASSERT_TRUE(b.gonder(surecproto::cerceveSerialize(cerceve(1, "1234"))));
  ASSERT_TRUE(olayBekle(1));
  ASSERT_TRUE(b.gonder(surecproto::cerceveSerialize(cerceve(2, "12345"))));
  ASSERT_TRUE(olayBekle(2));
  EXPECT_EQ(olaylar, (std::vector<std::string>{"cerceve 1:0 1", "koptu 1:0"}));
}

TEST_F(KralTasima, CerceveSonraKapanisSirayla) {
  TcpBaglanti b;
  ASSERT_TRUE(b.baglan("127.0.0.1", port));
  // Two frames in one send, then the close, all before the first pass.
  ASSERT_TRUE(b.gonder(surecproto::cerceveSerialize(cerceve(7)) +
                       surecproto::cerceveSerialize(cerceve(8, "govde"))));
  b.kapat();
  platform::uyu(20);
  ASSERT_TRUE(olayBekle(3));
  EXPECT_EQ(olaylar, (std::vector<std::string>{"cerceve 1:0 7", "cerceve 1:0 8", "koptu 1:0"}));
}

TEST_F(KralTasima, BolunmusCerceveVeYanit) {
  TcpBaglanti b;
  ASSERT_TRUE(b.baglan("127.0.0.1", port));
  const std::string tel = surecproto::cerceveSerialize(cerceve(9, std::string(10000, 'g')));
  ASSERT_TRUE(b.gonder(tel.substr(0, 30)));
  ASSERT_TRUE(baglantiBekle(1));
  for (int i = 0; i < 5; ++i) kral.nabiz();
  EXPECT_TRUE(olaylar.empty());
  ASSERT_TRUE(b.gonder(tel.substr(30)));
  ASSERT_TRUE(olayBekle(1));
  EXPECT_EQ(olaylar[0], "cerceve 1:0 9");
  // And back: the peer decodes what the king sends to its number.
  ASSERT_TRUE(kral.gonder(orkestra::NodeAdres{1, 7}, cerceve(11, "yanit")));
  EXPECT_FALSE(kral.gonder(orkestra::NodeAdres{2, 0}, cerceve(11)));
  CerceveCozucu cozucu(0x400000);
  std::vector<SurecCerceve> gelen;
  std::string veri;
  ASSERT_TRUE(bekle(
      [&] {
        if (b.al(veri) > 0) cozucu.besle(veri.data(), veri.size(), gelen);
      },
      [&] { return !gelen.empty(); }));
  EXPECT_EQ(gelen[0].korelasyon, 11u);
  EXPECT_EQ(gelen[0].govde, "yanit");
}

// A peer that never reads: the send that finds its buffers full fails once,
// after the send retry; the connection is closed then, so nothing is written
// behind the cut frame, later sends fail at once, and the next pass drops it.
TEST_F(KralTasima, GonderimHatasiBaglantiyiKapatir) {
  TcpBaglanti b;
  ASSERT_TRUE(b.baglan("127.0.0.1", port));
  ASSERT_TRUE(baglantiBekle(1));
  const orkestra::NodeAdres hedef{1, 0};
  const SurecCerceve buyuk = cerceve(1, std::string(1 << 20, 'b'));
  const size_t tel = surecproto::cerceveSerialize(buyuk).size();
  size_t giden = 0;
  while (giden < 64 && kral.gonder(hedef, buyuk)) ++giden;
  ASSERT_LT(giden, 64u) << "the loopback buffers never filled";

  const auto once = std::chrono::steady_clock::now();
  for (int i = 0; i < 20; ++i) EXPECT_FALSE(kral.gonder(hedef, cerceve(2)));
  EXPECT_LT(std::chrono::steady_clock::now() - once, std::chrono::milliseconds(50));
  EXPECT_TRUE(olaylar.empty());
  kral.nabiz();
  EXPECT_EQ(olaylar, std::vector<std::string>{"koptu 1:0"});
  EXPECT_EQ(kral.baglantiSayisi(), 0u);

  // The peer reads the frames that went, part of the one that failed, and
  // then the end of the stream: nothing sent after the failure.
  std::string veri;
  size_t gelen = 0;
  int n = 0;
  ASSERT_TRUE(bekle(
      [&] {
        while ((n = b.al(veri)) > 0) gelen += static_cast<size_t>(n);
      },
      [&] { return n < 0; }, 5000));
  EXPECT_GE(gelen, giden * tel);
  EXPECT_LT(gelen, (giden + 1) * tel);
}

TEST(KralTasimaKapali, AcilmamisGonderemez) {
  IstakipTasimaKral kral;
  EXPECT_STREQ(kral.ad(), "istakip-kral-tcp");
  kral.nabiz();
  EXPECT_FALSE(kral.gonder(orkestra::NodeAdres{1, 0}, cerceve(1)));
  EXPECT_EQ(kral.baglantiSayisi(), 0u);
}

}  // namespace
}  // namespace vadu::istakip
