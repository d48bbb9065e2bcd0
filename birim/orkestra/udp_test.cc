// The UDP socket over the loopback interface, on ports the system hands out.
// Broadcasting is tried only inside a network namespace of the test's own:
// the test runs itself again under `unshare -rn`, where nothing but the
// namespace's own loopback interface hears the datagram.
#include "orkestra/udp.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <sys/wait.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/platform.h"

namespace vadu {
namespace {

namespace pl = platform;

// A plain datagram socket on 127.0.0.1 that sends to a UdpSoketWin.
class Gonderen {
 public:
  Gonderen() {
    EXPECT_TRUE(pl::soketKutuphanesiBaslat());
    s_ = pl::soketAc(pl::SoketTur::Datagram);
    EXPECT_NE(s_, pl::GECERSIZ_SOKET);
    EXPECT_EQ(pl::soketAdresAta(s_, pl::IPV4_GERI_DONGU, 0), 0);
  }
  ~Gonderen() {
    pl::soketKapat(s_);
    pl::soketKutuphanesiBirak();
  }
  void gonder(const std::string& veri, uint16_t port) {
    EXPECT_EQ(pl::soketGonderAdrese(s_, veri.data(), static_cast<int>(veri.size()),
                                    pl::IPV4_GERI_DONGU, port),
              static_cast<int>(veri.size()));
  }

 private:
  pl::Soket s_ = pl::GECERSIZ_SOKET;
};

// Polls a bounded number of times for one datagram.
bool alBekle(orkestra::UdpSoketArayuz& s, std::string& veri, std::string* kaynakIp = nullptr) {
  for (int i = 0; i < 200; ++i) {
    if (s.al(veri, kaynakIp)) return true;
    pl::uyu(1);
  }
  return false;
}

TEST(UdpSoketWin, NeverOpenedIsSafeAndOwesNothing) {
  const uint32_t sayac = pl::soketKutuphanesiSayaci();
  UdpSoketWin s;
  EXPECT_FALSE(s.acikMi());
  EXPECT_EQ(s.port(), 0);
  std::string veri = "onceki", ip = "onceki";
  EXPECT_FALSE(s.gonderYayin("x"));
  EXPECT_FALSE(s.al(veri, &ip));
  EXPECT_EQ(veri, "onceki");
  EXPECT_EQ(ip, "onceki");
  s.kapat();
  s.kapat();
  EXPECT_EQ(pl::soketKutuphanesiSayaci(), sayac);
}

TEST(UdpSoketWin, OpenReopenCloseKeepOneStartUp) {
  const uint32_t sayac = pl::soketKutuphanesiSayaci();
  {
    UdpSoketWin s;
    ASSERT_TRUE(s.ac(0));
    EXPECT_TRUE(s.acikMi());
    EXPECT_NE(s.port(), 0);  // the port the system picked
    EXPECT_EQ(pl::soketKutuphanesiSayaci(), sayac + 1);
    ASSERT_TRUE(s.ac(0));  // closes first, then opens again
    EXPECT_EQ(pl::soketKutuphanesiSayaci(), sayac + 1);
    s.kapat();
    EXPECT_FALSE(s.acikMi());
    EXPECT_EQ(s.port(), 0);
    EXPECT_EQ(pl::soketKutuphanesiSayaci(), sayac);
    ASSERT_TRUE(s.ac(0));
  }
  EXPECT_EQ(pl::soketKutuphanesiSayaci(), sayac);  // the destructor paid back
}

// Whether a socket with the reuse option may also bind over one without it
// is the system's business (Linux refuses, Windows lets it in), so only
// sockets that all ask for sharing are tried here.
TEST(UdpSoketWin, TwoSocketsShareAPort) {
  UdpSoketWin a, b;
  ASSERT_TRUE(a.ac(0));
  EXPECT_TRUE(b.ac(a.port()));
  EXPECT_EQ(b.port(), a.port());
  EXPECT_TRUE(a.acikMi());
}

TEST(UdpSoketWin, ReceivesOneDatagramPerCallWithItsSender) {
  UdpSoketWin s;
  ASSERT_TRUE(s.ac(0));
  std::string veri = "onceki";
  EXPECT_FALSE(s.al(veri));  // nothing waits: at once
  EXPECT_EQ(veri, "onceki");

  Gonderen g;
  g.gonder("merhaba", s.port());
  std::string ip;
  ASSERT_TRUE(alBekle(s, veri, &ip));
  EXPECT_EQ(veri, "merhaba");
  EXPECT_EQ(ip, "127.0.0.1");

  const std::string tam(UDP_ALIM_TAMPONU, 't');
  g.gonder(tam, s.port());
  ASSERT_TRUE(alBekle(s, veri));  // no sender asked for
  EXPECT_EQ(veri, tam);
  g.gonder("kisa", s.port());
  ASSERT_TRUE(alBekle(s, veri));
  EXPECT_EQ(veri, "kisa");  // replaced, not appended to
}

// A datagram too large for the buffer and an empty one are both taken off
// the queue as failed receives: the next success is the datagram behind them.
TEST(UdpSoketWin, OversizeAndEmptyDatagramsAreFailedReceives) {
  UdpSoketWin s;
  ASSERT_TRUE(s.ac(0));
  Gonderen g;
  const struct {
    const char* ad;
    std::string veri;
  } durumlar[] = {
      {"one byte over", std::string(UDP_ALIM_TAMPONU + 1, 'b')},
      {"far over", std::string(3000, 'b')},
      {"empty", ""},
  };
  for (const auto& d : durumlar) {
    g.gonder(d.veri, s.port());
    g.gonder("arkasi", s.port());
    std::string veri = "onceki", ip = "onceki";
    bool ilkBasarisiz = false;
    bool alindi = false;
    for (int i = 0; i < 200 && !alindi; ++i) {
      alindi = s.al(veri, &ip);
      if (!alindi && veri != "onceki") ilkBasarisiz = true;  // a failure wrote
      if (!alindi) pl::uyu(1);
    }
    ASSERT_TRUE(alindi) << d.ad;
    EXPECT_FALSE(ilkBasarisiz) << d.ad;
    EXPECT_EQ(veri, "arkasi") << d.ad;
    EXPECT_EQ(ip, "127.0.0.1") << d.ad;
  }
}

#ifdef __linux__
// Network namespaces are Linux's own: elsewhere this test is not built.
// Inside the namespace the child finds the parent's namespace in this
// variable and refuses to go on if it is still in it.
constexpr const char* AG_ALANI = "VADU_BIRIM_AG_ALANI";

std::string agAlani() {
  std::error_code hata;
  const auto yol = std::filesystem::read_symlink("/proc/self/ns/net", hata);
  return hata ? std::string() : yol.string();
}

void yayinSinami() {
  const std::string dis = std::getenv(AG_ALANI);
  const std::string bu = agAlani();
  ASSERT_FALSE(bu.empty());
  ASSERT_NE(bu, dis) << "still in the host's network namespace: no broadcast";

  UdpSoketWin a, b;
  ASSERT_TRUE(a.ac(0));
  ASSERT_TRUE(b.ac(a.port()));
  orkestra::UdpSoketArayuz& gonderen = a;
  std::string veri(UDP_EN_BUYUK_DATAGRAM, 'y');
  for (size_t i = 0; i < veri.size(); ++i) veri[i] = static_cast<char>('a' + i % 26);
  EXPECT_FALSE(gonderen.gonderYayin(veri + "z"));  // 1401: refused, nothing sent
  ASSERT_TRUE(gonderen.gonderYayin(veri));

  // Every socket on the port hears it, the sender included, once.
  for (UdpSoketWin* s : {&a, &b}) {
    std::string gelen, ip;
    ASSERT_TRUE(alBekle(*s, gelen, &ip));
    EXPECT_EQ(gelen, veri);
    EXPECT_EQ(ip, "127.0.0.1");
    pl::uyu(20);
    EXPECT_FALSE(s->al(gelen)) << "a second datagram: the refused one went out";
  }
}

TEST(UdpSoketWin, BroadcastOfTheLargestDatagramReachesEverySocketOnThePort) {
  if (std::getenv(AG_ALANI)) {
    yayinSinami();
    return;
  }
  const std::string bu = agAlani();
  std::error_code hata;
  const std::string program = std::filesystem::read_symlink("/proc/self/exe", hata).string();
  if (bu.empty() || hata) GTEST_SKIP() << "no /proc: cannot tell namespaces apart";

  // The limited broadcast address needs a route; in the new namespace it
  // goes out on loopback with 127.0.0.1 as its source.
  const std::string kur =
      "ip link set lo up && "
      "ip route add broadcast 255.255.255.255 dev lo table local src 127.0.0.1";
  if (std::system(("unshare -rn sh -c '" + kur + "' >/dev/null 2>&1").c_str()) != 0) {
    GTEST_SKIP() << "no network namespace of our own (unshare -rn or ip failed)";
  }
  const std::string filtre = std::string("--gtest_filter=") +
                             ::testing::UnitTest::GetInstance()->current_test_suite()->name() +
                             "." + ::testing::UnitTest::GetInstance()->current_test_info()->name();
  const std::string komut = "unshare -rn env " + std::string(AG_ALANI) + "='" + bu + "' sh -c '" +
                            kur + " && exec \"$0\" " + filtre + "' '" + program + "'";
  const int durum = std::system(komut.c_str());
  ASSERT_TRUE(WIFEXITED(durum)) << komut;
  EXPECT_EQ(WEXITSTATUS(durum), 0) << komut;
}
#endif  // __linux__

}  // namespace
}  // namespace vadu
