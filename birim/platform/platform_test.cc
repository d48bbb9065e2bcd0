// The platform layer's contract, the same for both of its halves: the POSIX
// half must answer as Windows Sockets does, and the Windows half must keep to
// what Windows Sockets itself does. These tests pin the results and error
// numbers that the socket classes rely on, and are built and run for either
// half (on Linux, and under Wine or on Windows); what only the Windows half
// adds is in platform_windows_test.cc. They use 127.0.0.1 and ports the
// system hands out, never a fixed port.
#include "platform/platform.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace vadu::platform {
namespace {

// Every test holds one start-up of the socket library for its duration.
class SoketTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(soketKutuphanesiBaslat()); }
  void TearDown() override {
    for (Soket s : acilanlar_) soketKapat(s);
    soketKutuphanesiBirak();
  }

  Soket ac(SoketTur tur) {
    const Soket s = soketAc(tur);
    if (s != GECERSIZ_SOKET) acilanlar_.push_back(s);
    return s;
  }

  // A blocking listener on 127.0.0.1 and a port of the system's choice.
  Soket dinleyici(uint16_t& port, uint16_t istenen = 0) {
    const Soket s = ac(SoketTur::Akis);
    EXPECT_NE(s, GECERSIZ_SOKET);
    EXPECT_EQ(soketAdresAta(s, IPV4_GERI_DONGU, istenen), 0) << soketSonHata();
    EXPECT_EQ(soketDinle(s, 8), 0);
    port = soketYerelPort(s);
    EXPECT_NE(port, 0);
    return s;
  }

  Soket baglan(uint16_t port) {
    const Soket s = ac(SoketTur::Akis);
    EXPECT_EQ(soketBaglan(s, IPV4_GERI_DONGU, port), 0) << soketSonHata();
    return s;
  }

  // A connection through a blocking listener on `port` whose accepted end
  // has been closed already: the client's end, with the close on its way.
  // GECERSIZ_SOKET when nothing was accepted.
  Soket karsisiKapaliBaglanti(Soket d, uint16_t port) {
    const Soket istemci = baglan(port);
    const Soket sunucu = kabulEt(d);
    if (sunucu == GECERSIZ_SOKET) return GECERSIZ_SOKET;
    kapat(sunucu);
    return istemci;
  }

  // Receives on a non-blocking socket, waiting a bounded time for something.
  int alBekle(Soket s, char* tampon, int boyut) {
    int n = SOKET_HATASI;
    for (int i = 0; i < 100; ++i) {
      n = soketAl(s, tampon, boyut);
      if (n != SOKET_HATASI || soketSonHata() != HATA_BLOKLANIR) break;
      uyu(1);
    }
    return n;
  }

  void kapat(Soket s) {
    std::erase(acilanlar_, s);
    EXPECT_EQ(soketKapat(s), 0);
  }

  // Accepts on a blocking listener.
  Soket kabulEt(Soket d) {
    const Soket s = soketKabulEt(d);
    if (s != GECERSIZ_SOKET) acilanlar_.push_back(s);
    return s;
  }

 private:
  std::vector<Soket> acilanlar_;
};

TEST(SoketKutuphanesi, BaslatmalarSayilir) {
  const uint32_t once = soketKutuphanesiSayaci();
  ASSERT_TRUE(soketKutuphanesiBaslat());
  ASSERT_TRUE(soketKutuphanesiBaslat());
  EXPECT_EQ(soketKutuphanesiSayaci(), once + 2);
  soketKutuphanesiBirak();
  soketKutuphanesiBirak();
  EXPECT_EQ(soketKutuphanesiSayaci(), once);
}

TEST(SoketKutuphanesi, BaslatilmadanSoketYok) {
  ASSERT_EQ(soketKutuphanesiSayaci(), 0u);
  EXPECT_EQ(soketAc(SoketTur::Akis), GECERSIZ_SOKET);
  EXPECT_EQ(soketSonHata(), HATA_BASLATILMADI);
  // A release without a start-up is refused and does not wrap the count.
  soketKutuphanesiBirak();
  EXPECT_EQ(soketKutuphanesiSayaci(), 0u);
  EXPECT_EQ(soketSonHata(), HATA_BASLATILMADI);
}

TEST_F(SoketTest, IkinciCanliDinleyiciReddedilir) {
  uint16_t port = 0;
  dinleyici(port);
  const Soket ikinci = ac(SoketTur::Akis);
  EXPECT_EQ(soketAdresAta(ikinci, IPV4_HER_ADRES, port), SOKET_HATASI);
  EXPECT_EQ(soketSonHata(), HATA_ADRES_KULLANIMDA);
}

// The listener's side closes first, so its end of the connection sits in
// TIME_WAIT; a new listener must still bind the port at once.
TEST_F(SoketTest, TimeWaitVarkenDinleyiciYenidenAcilir) {
  uint16_t port = 0;
  const Soket d = dinleyici(port);
  const Soket istemci = karsisiKapaliBaglanti(d, port);
  ASSERT_NE(istemci, GECERSIZ_SOKET);
  char c;
  EXPECT_EQ(soketAl(istemci, &c, 1), 0);  // the close arrived
  kapat(istemci);
  kapat(d);
  uint16_t yeniPort = 0;
  dinleyici(yeniPort, port);
  EXPECT_EQ(yeniPort, port);
}

TEST_F(SoketTest, BlokajsizDinleyiciBekletmez) {
  uint16_t port = 0;
  const Soket d = dinleyici(port);
  ASSERT_EQ(soketBlokajsizYap(d), 0);
  EXPECT_EQ(soketKabulEt(d), GECERSIZ_SOKET);
  EXPECT_EQ(soketSonHata(), HATA_BLOKLANIR);

  // connect completes into the backlog before anything is accepted.
  const Soket istemci = baglan(port);
  Soket sunucu = GECERSIZ_SOKET;
  for (int i = 0; i < 100 && sunucu == GECERSIZ_SOKET; ++i) {
    sunucu = soketKabulEt(d);
    if (sunucu == GECERSIZ_SOKET) uyu(1);
  }
  ASSERT_NE(sunucu, GECERSIZ_SOKET);
  EXPECT_NE(sunucu, 0u);
  // The accepted socket took the listener's non-blocking mode.
  char tampon[8];
  EXPECT_EQ(soketAl(sunucu, tampon, sizeof tampon), SOKET_HATASI);
  EXPECT_EQ(soketSonHata(), HATA_BLOKLANIR);

  EXPECT_EQ(soketGonder(istemci, "abc", 3), 3);
  ASSERT_EQ(alBekle(sunucu, tampon, sizeof tampon), 3);
  EXPECT_EQ(std::string(tampon, 3), "abc");
  kapat(istemci);
  EXPECT_EQ(alBekle(sunucu, tampon, sizeof tampon), 0);
}

// Without MSG_NOSIGNAL the second send would kill this process with SIGPIPE.
TEST_F(SoketTest, KapananKarsiyaGonderimHataVerirSinyalVermez) {
  uint16_t port = 0;
  const Soket d = dinleyici(port);
  const Soket istemci = karsisiKapaliBaglanti(d, port);
  ASSERT_NE(istemci, GECERSIZ_SOKET);
  int sonuc = 0;
  for (int i = 0; i < 100 && sonuc != SOKET_HATASI; ++i) {
    sonuc = soketGonder(istemci, "x", 1);
    if (sonuc != SOKET_HATASI) uyu(1);
  }
  ASSERT_EQ(sonuc, SOKET_HATASI);
  const int hata = soketSonHata();
  EXPECT_TRUE(hata == HATA_BAGLANTI_SIFIRLANDI || hata == HATA_BAGLANTI_KOPTU) << hata;
}

// Small frames written back to back must not wait for the peer's delayed
// acknowledgement, so both ends of a connection have Nagle's algorithm off;
// a socket that is not connected yet, the listener and a connected datagram
// socket keep the system's default. Setting it does not touch the error that
// a failing call left.
TEST_F(SoketTest, BagliAkisSoketleriGecikmesiz) {
  uint16_t port = 0;
  const Soket d = dinleyici(port);
  const Soket istemci = ac(SoketTur::Akis);
  EXPECT_FALSE(soketGecikmesizMi(istemci));
  char c;
  ASSERT_EQ(soketAl(GECERSIZ_SOKET, &c, 1), SOKET_HATASI);
  ASSERT_EQ(soketBaglan(istemci, IPV4_GERI_DONGU, port), 0) << soketSonHata();
  EXPECT_EQ(soketSonHata(), HATA_SOKET_DEGIL);
  EXPECT_TRUE(soketGecikmesizMi(istemci));

  EXPECT_FALSE(soketGecikmesizMi(d));
  const Soket sunucu = kabulEt(d);
  ASSERT_NE(sunucu, GECERSIZ_SOKET);
  EXPECT_EQ(soketSonHata(), HATA_SOKET_DEGIL);
  EXPECT_TRUE(soketGecikmesizMi(sunucu));

  // connect on a datagram socket only fixes its peer.
  const Soket datagram = ac(SoketTur::Datagram);
  ASSERT_EQ(soketBaglan(datagram, IPV4_GERI_DONGU, port), 0) << soketSonHata();
  EXPECT_FALSE(soketGecikmesizMi(datagram));
}

TEST_F(SoketTest, BaglantiReddedilir) {
  const Soket s = ac(SoketTur::Akis);
  EXPECT_EQ(soketBaglan(s, IPV4_GERI_DONGU, 1), SOKET_HATASI);
  EXPECT_EQ(soketSonHata(), HATA_BAGLANTI_REDDI);
}

TEST_F(SoketTest, GecersizTutamac) {
  char c;
  EXPECT_EQ(soketAl(GECERSIZ_SOKET, &c, 1), SOKET_HATASI);
  EXPECT_EQ(soketSonHata(), HATA_SOKET_DEGIL);
  EXPECT_EQ(soketGonder(GECERSIZ_SOKET, &c, 1), SOKET_HATASI);
  EXPECT_EQ(soketSonHata(), HATA_SOKET_DEGIL);
}

class DatagramTest : public SoketTest {
 protected:
  void SetUp() override {
    SoketTest::SetUp();
    alici_ = ac(SoketTur::Datagram);
    gonderen_ = ac(SoketTur::Datagram);
    ASSERT_EQ(soketAdresAta(alici_, IPV4_GERI_DONGU, 0), 0);
    ASSERT_EQ(soketAdresAta(gonderen_, IPV4_GERI_DONGU, 0), 0);
    ASSERT_EQ(soketBlokajsizYap(alici_), 0);
    aliciPort_ = soketYerelPort(alici_);
  }

  void gonder(const std::string& veri) {
    ASSERT_EQ(soketGonderAdrese(gonderen_, veri.data(), static_cast<int>(veri.size()),
                                IPV4_GERI_DONGU, aliciPort_),
              static_cast<int>(veri.size()));
  }

  // Polls the receiver a bounded number of times.
  int al(char* tampon, int boyut, uint32_t* adres = nullptr, uint16_t* port = nullptr) {
    int n = SOKET_HATASI;
    for (int i = 0; i < 200; ++i) {
      n = soketAlAdresten(alici_, tampon, boyut, adres, port);
      if (n != SOKET_HATASI || soketSonHata() != HATA_BLOKLANIR) break;
      uyu(1);
    }
    return n;
  }

  Soket alici_ = GECERSIZ_SOKET;
  Soket gonderen_ = GECERSIZ_SOKET;
  uint16_t aliciPort_ = 0;
};

TEST_F(DatagramTest, GonderenAdresiVeBosDatagram) {
  char tampon[2048];
  EXPECT_EQ(soketAlAdresten(alici_, tampon, sizeof tampon, nullptr, nullptr), SOKET_HATASI);
  EXPECT_EQ(soketSonHata(), HATA_BLOKLANIR);

  gonder(std::string(1400, 'v'));
  uint32_t adres = 0;
  uint16_t port = 0;
  EXPECT_EQ(al(tampon, sizeof tampon, &adres, &port), 1400);
  EXPECT_EQ(adres, IPV4_GERI_DONGU);
  EXPECT_EQ(port, soketYerelPort(gonderen_));

  gonder("");
  EXPECT_EQ(al(tampon, sizeof tampon), 0);
}

// Linux would cut the datagram silently; the layer fails the receive as
// Windows does and the datagram is gone.
TEST_F(DatagramTest, BuyukDatagramAlimHatasi) {
  gonder(std::string(3000, 'b'));
  gonder("sonra");
  char tampon[2048];
  uint32_t adres = 1;
  EXPECT_EQ(al(tampon, sizeof tampon, &adres), SOKET_HATASI);
  EXPECT_EQ(soketSonHata(), HATA_MESAJ_BUYUK);
  EXPECT_EQ(adres, 1u);
  ASSERT_EQ(al(tampon, sizeof tampon), 5);
  EXPECT_EQ(std::string(tampon, 5), "sonra");
}

TEST_F(DatagramTest, AdresPaylasimi) {
  const Soket a = ac(SoketTur::Datagram);
  const Soket b = ac(SoketTur::Datagram);
  ASSERT_EQ(soketSecenekAyarla(a, SoketSecenek::AdresPaylas, 1), 0);
  ASSERT_EQ(soketSecenekAyarla(b, SoketSecenek::AdresPaylas, 1), 0);
  EXPECT_EQ(soketSecenekAyarla(a, SoketSecenek::Yayin, 1), 0);
  ASSERT_EQ(soketAdresAta(a, IPV4_HER_ADRES, 0), 0);
  EXPECT_EQ(soketAdresAta(b, IPV4_HER_ADRES, soketYerelPort(a)), 0) << soketSonHata();
  // Without the option the port stays taken.
  const Soket c = ac(SoketTur::Datagram);
  EXPECT_EQ(soketAdresAta(c, IPV4_HER_ADRES, soketYerelPort(a)), SOKET_HATASI);
  EXPECT_EQ(soketSonHata(), HATA_ADRES_KULLANIMDA);
}

TEST(Ipv4, Coz) {
  const struct {
    const char* metin;
    bool gecerli;
    uint32_t adres;
  } durumlar[] = {
      {"127.0.0.1", true, 0x7F000001},
      {"0.0.0.0", true, 0},
      {"255.255.255.255", true, 0xFFFFFFFF},
      {"10.20.30.40", true, 0x0A141E28},
      {"localhost", false, 0},
      {"::1", false, 0},
      {"1.2.3", false, 0},
      {"256.1.1.1", false, 0},
      {" 1.2.3.4", false, 0},
      {"1.2.3.4 ", false, 0},
      {"", false, 0},
      {nullptr, false, 0},
  };
  for (const auto& d : durumlar) {
    uint32_t adres = 0x12345678;
    EXPECT_EQ(ipv4Coz(d.metin, adres), d.gecerli) << (d.metin ? d.metin : "null");
    EXPECT_EQ(adres, d.gecerli ? d.adres : 0x12345678u) << (d.metin ? d.metin : "null");
  }
}

TEST(Ipv4, Yaz) {
  char tampon[IPV4_METIN_BOYU];
  ASSERT_TRUE(ipv4Yaz(0x7F000001, tampon, sizeof tampon));
  EXPECT_STREQ(tampon, "127.0.0.1");
  ASSERT_TRUE(ipv4Yaz(IPV4_YAYIN, tampon, sizeof tampon));
  EXPECT_STREQ(tampon, "255.255.255.255");
  char kucuk[9] = "degismez";
  EXPECT_FALSE(ipv4Yaz(0x7F000001, kucuk, sizeof kucuk));
  EXPECT_STREQ(kucuk, "degismez");
  char tam[10];
  EXPECT_TRUE(ipv4Yaz(0x7F000001, tam, sizeof tam));
  EXPECT_STREQ(tam, "127.0.0.1");
}

TEST(MakineDegerleri, SistemZamanlari) {
  uint64_t b1, c1, k1, b2, c2, k2;
  ASSERT_TRUE(sistemZamanlari(b1, c1, k1));
  uyu(30);
  ASSERT_TRUE(sistemZamanlari(b2, c2, k2));
  EXPECT_GE(c1, b1);  // kernel time includes idle time
  EXPECT_GT(c1 + k1, 0u);
  EXPECT_GE(b2, b1);
  EXPECT_GE(c2, c1);
  EXPECT_GE(k2, k1);
  // 30 ms on at least one processor is 300000 units of 100 ns; allow a tick.
  EXPECT_GT((c2 - c1) + (k2 - k1), 0u);
}

TEST(MakineDegerleri, BellekVeDisk) {
  uint64_t toplam = 0, kullanilabilir = 0;
  ASSERT_TRUE(fizikselBellek(toplam, kullanilabilir));
  EXPECT_GT(toplam, kullanilabilir);
  EXPECT_GT(kullanilabilir, 0u);
  uint64_t bos = 0;
  EXPECT_TRUE(programDiskiBosAlan(bos));
}

// A machine may or may not have an adapter (POSIX never has one here, Wine
// without a display usually not, a real Windows machine usually one). Either
// way the answer is consistent and the adapter goes back whole.
TEST(MakineDegerleri, GrafikAdaptorVarsaBellekKullanimiOkunur) {
  GrafikAdaptor* a = grafikAdaptorAc();
  uint64_t bayt = 7;
  if (a == nullptr) {
    EXPECT_FALSE(grafikBellekKullanimi(a, bayt));
    EXPECT_EQ(bayt, 7u);
  } else {
    EXPECT_TRUE(grafikBellekKullanimi(a, bayt));
    EXPECT_TRUE(grafikBellekKullanimi(a, bayt));  // the same adapter, asked again
  }
  grafikAdaptorBirak(a);
}

TEST(Rastgele, SistemKaynagiVeSayaclar) {
  uint8_t a[64] = {}, b[64] = {};
  ASSERT_TRUE(sistemRastgele(a, sizeof a));
  ASSERT_TRUE(sistemRastgele(b, sizeof b));
  EXPECT_NE(std::memcmp(a, b, sizeof a), 0);
  EXPECT_TRUE(sistemRastgele(a, 0));

  const uint64_t p1 = performansSayaci(), t1 = tikSayisi();
  uyu(20);
  EXPECT_GT(performansSayaci(), p1);
  // GetTickCount64 moves in steps of the system tick (up to about 16 ms on
  // Windows), so it may show less than the time slept.
  EXPECT_GE(tikSayisi() - t1 + 16u, 20u);
}

TEST(Rastgele, KancalarYerineGecerVeKalkar) {
  RastgeleKancalari k;
  k.sistemRastgele = [](uint8_t*, uint32_t) { return false; };
  k.tikSayisi = [] { return uint64_t{42}; };
  rastgeleKancalariAyarla(&k);
  uint8_t p[4];
  EXPECT_FALSE(sistemRastgele(p, sizeof p));
  EXPECT_EQ(tikSayisi(), 42u);
  EXPECT_GT(performansSayaci(), 0u);  // an empty member keeps the system's answer
  rastgeleKancalariAyarla(nullptr);
  EXPECT_TRUE(sistemRastgele(p, sizeof p));
  EXPECT_NE(tikSayisi(), 42u);
}

}  // namespace
}  // namespace vadu::platform
