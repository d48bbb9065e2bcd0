#include "istakip/tasima_istemci.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "birim/istakip/geri_dongu.h"
#include "istakip/tasima_kral.h"
#include "orkestra/cerceve.h"
#include "orkestra/tcp.h"

namespace vadu::istakip {
namespace {

constexpr uint16_t ILK_PORT = 29650;

SurecCerceve cerceve(uint64_t korelasyon, size_t boy = 0) {
  SurecCerceve c;
  c.tip = SurecMesajTip::YazmaBildir;
  c.korelasyon = korelasyon;
  c.govde.assign(boy, 'b');
  return c;
}

class IstemciTasima : public testing::Test {
 protected:
  void SetUp() override {
    port = portAc(kral, ILK_PORT);
    ASSERT_NE(port, 0);
    kral.aliciAyarla([this](const orkestra::NodeAdres& a, const SurecCerceve& c) {
      kralaGelen.push_back(c.korelasyon);
      sonAdres = a;
    });
    istemci.aliciAyarla([this](const orkestra::NodeAdres& a, const SurecCerceve& c) {
      EXPECT_EQ(a, orkestra::NodeAdres{});
      istemciyeGelen.push_back(c.korelasyon);
    });
    istemci.baglandiAyarla([this] { ++baglandi; });
    istemci.koptuAyarla([this] { ++koptu; });
    istemci.hedefAyarla("127.0.0.1", port, 0x400000);
  }
  // Polls both sides at the client time `ms` until `kosul` holds.
  template <typename Kosul>
  bool pasla(uint64_t ms, uint64_t tekrar, Kosul kosul) {
    return bekle(
        [&] {
          kral.nabiz();
          istemci.nabiz(ms, tekrar);
        },
        kosul);
  }

  IstakipTasimaKral kral;
  IstakipTasimaIstemci istemci;
  uint16_t port = 0;
  std::vector<uint64_t> kralaGelen, istemciyeGelen;
  orkestra::NodeAdres sonAdres;
  int baglandi = 0, koptu = 0;
};

TEST_F(IstemciTasima, IlkPasHemenBaglanirCerceveIkiYonlu) {
  EXPECT_STREQ(istemci.ad(), "istakip-istemci-tcp");
  EXPECT_FALSE(istemci.gonder(orkestra::NodeAdres{}, cerceve(1)));  // not connected: no handler
  EXPECT_EQ(koptu, 0);
  istemci.nabiz(777, 5000);
  EXPECT_EQ(baglandi, 1);
  ASSERT_TRUE(istemci.bagliMi());
  ASSERT_TRUE(istemci.gonder(orkestra::NodeAdres{5, 5}, cerceve(21)));
  ASSERT_TRUE(pasla(777, 5000, [&] { return !kralaGelen.empty(); }));
  EXPECT_EQ(kralaGelen, std::vector<uint64_t>{21});
  ASSERT_TRUE(kral.gonder(sonAdres, cerceve(22)));
  ASSERT_TRUE(kral.gonder(sonAdres, cerceve(23, 9000)));  // more than one read
  ASSERT_TRUE(pasla(777, 5000, [&] { return istemciyeGelen.size() == 2; }));
  EXPECT_EQ(istemciyeGelen, (std::vector<uint64_t>{22, 23}));
  EXPECT_EQ(baglandi, 1);
}

TEST_F(IstemciTasima, YenidenDenemeAraligi) {
  istemci.nabiz(1000, 500);
  ASSERT_EQ(baglandi, 1);
  istemci.kapat();  // no handler
  EXPECT_EQ(koptu, 0);
  EXPECT_FALSE(istemci.bagliMi());
  istemci.nabiz(1499, 500);  // sonDeneme + tekrarMs - 1: too early
  EXPECT_EQ(baglandi, 1);
  EXPECT_FALSE(istemci.bagliMi());
  istemci.nabiz(1500, 500);  // exactly the interval: tries
  EXPECT_EQ(baglandi, 2);
  EXPECT_TRUE(istemci.bagliMi());
  // A clock that went back wraps to a large gap and may try at once.
  istemci.kapat();
  istemci.nabiz(10, 500);
  EXPECT_EQ(baglandi, 3);
  // A new target restarts the interval.
  istemci.kapat();
  istemci.hedefAyarla("127.0.0.1", port, 0x400000);
  istemci.nabiz(11, 500);
  EXPECT_EQ(baglandi, 4);
  EXPECT_EQ(koptu, 0);
}

// The king refuses the client at its ceiling while another peer holds the
// one place: the client loses its connection without the listener closing.
class DoluKral : public IstemciTasima {
 protected:
  void SetUp() override {
    IstemciTasima::SetUp();
    kral.kapat();
    ASSERT_TRUE(kral.ac(port, 0x400000, 1));
    ASSERT_TRUE(isgalci.baglan("127.0.0.1", port));
    ASSERT_TRUE(bekle([&] { kral.nabiz(); }, [&] { return kral.baglantiSayisi() == 1; }));
    istemci.nabiz(1000, 500);
    ASSERT_EQ(baglandi, 1);
    ASSERT_TRUE(bekle([&] { kral.nabiz(); }, [&] { return kral.reddedilenBaglanti() == 1; }));
  }
  TcpBaglanti isgalci;
};

TEST_F(DoluKral, KayipKoptuCagirirVeAraligaUyar) {
  ASSERT_TRUE(bekle([&] { istemci.nabiz(1100, 500); }, [&] { return koptu == 1; }));
  EXPECT_FALSE(istemci.bagliMi());
  isgalci.kapat();
  ASSERT_TRUE(bekle([&] { kral.nabiz(); }, [&] { return kral.baglantiSayisi() == 0; }));
  istemci.nabiz(1499, 500);  // the interval runs from the attempt, not the loss
  EXPECT_EQ(baglandi, 1);
  istemci.nabiz(1500, 500);
  EXPECT_EQ(baglandi, 2);
  EXPECT_TRUE(bekle([&] { kral.nabiz(); }, [&] { return kral.baglantiSayisi() == 1; }));
  EXPECT_EQ(koptu, 1);
}

TEST_F(DoluKral, BasarisizGonderimKoptuCagirir) {
  // The first sends after the peer's close may still be taken by the system;
  // a later one fails, drops the connection and reports it once.
  ASSERT_TRUE(bekle([&] { istemci.gonder(orkestra::NodeAdres{}, cerceve(1, 1000)); },
                    [&] { return koptu != 0; }));
  EXPECT_EQ(koptu, 1);
  EXPECT_FALSE(istemci.bagliMi());
  EXPECT_FALSE(istemci.gonder(orkestra::NodeAdres{}, cerceve(2)));
  EXPECT_EQ(koptu, 1);
}

TEST_F(IstemciTasima, BozukAkisBaglantiyiBirakir) {
  istemci.hedefAyarla("127.0.0.1", port, 100);
  istemci.nabiz(1000, 500);
  ASSERT_TRUE(pasla(1000, 500, [&] { return kral.baglantiSayisi() == 1; }));
  ASSERT_TRUE(
      kral.gonder(sonAdres.baglantiNo ? sonAdres : orkestra::NodeAdres{1, 0}, cerceve(3, 101)));
  ASSERT_TRUE(bekle([&] { istemci.nabiz(1000, 500); }, [&] { return koptu == 1; }));
  EXPECT_TRUE(istemciyeGelen.empty());
}

TEST_F(IstemciTasima, HedefsizPasHicbirSeyYapmaz) {
  istemci.nabiz(1000, 500);
  ASSERT_TRUE(pasla(1000, 500, [&] { return kral.baglantiSayisi() == 1; }));
  istemci.hedefAyarla("", 0, 0x400000);  // keeps the open connection
  ASSERT_TRUE(kral.gonder(orkestra::NodeAdres{1, 0}, cerceve(4)));
  for (int i = 0; i < 20; ++i) {
    istemci.nabiz(5000 + i, 0);
    platform::uyu(1);
  }
  EXPECT_TRUE(istemciyeGelen.empty());
  EXPECT_TRUE(istemci.bagliMi());
  istemci.hedefAyarla("127.0.0.1", port, 0x400000);
  ASSERT_TRUE(bekle([&] { istemci.nabiz(6000, 0); }, [&] { return !istemciyeGelen.empty(); }));
  EXPECT_EQ(istemciyeGelen, std::vector<uint64_t>{4});
  IstakipTasimaIstemci hedefsiz;
  hedefsiz.nabiz(1, 0);
  EXPECT_FALSE(hedefsiz.bagliMi());
}

}  // namespace
}  // namespace vadu::istakip
