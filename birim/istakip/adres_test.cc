#include "istakip/adres.h"

#include <gtest/gtest.h>

#include <string>

namespace vadu {
namespace {

struct Durum {
  const char* metin;
  uint16_t varsayilan;
  bool gecerli;
  const char* ip;  // what `ip` holds afterwards
  uint16_t port;   // what `port` holds afterwards (starts at 1234)
};

class AdresCoz : public testing::TestWithParam<Durum> {};

TEST_P(AdresCoz, Tablo) {
  const Durum& d = GetParam();
  std::string ip = "once";
  uint16_t port = 1234;
  EXPECT_EQ(istakipAdresCoz(d.metin, ip, port, d.varsayilan), d.gecerli);
  EXPECT_EQ(ip, d.ip);
  EXPECT_EQ(port, d.port);
}

INSTANTIATE_TEST_SUITE_P(
    Adres, AdresCoz,
    testing::Values(
        Durum{"192.168.1.5:47820", 1, true, "192.168.1.5", 47820},
        Durum{"10.0.0.9", 47820, true, "10.0.0.9", 47820},
        Durum{"10.0.0.9", 0, true, "10.0.0.9", 0}, Durum{"", 1, false, "once", 1234},
        Durum{"host:", 1, false, "host", 1234}, Durum{":99", 1, false, "", 1234},
        Durum{"host:99999", 1, false, "host", 1234}, Durum{"host:65536", 1, false, "host", 1234},
        Durum{"host:65535", 1, true, "host", 65535}, Durum{"host:0", 1, false, "host", 1234},
        Durum{"host:0080", 1, true, "host", 80}, Durum{"host:+80", 1, false, "host", 1234},
        Durum{"host: 80", 1, false, "host", 1234}, Durum{"host:80x", 1, false, "host", 1234},
        Durum{"host:0000000000000000080", 1, true, "host", 80},
        Durum{"host:99999999999", 1, false, "host", 1234}, Durum{"[::1]:80", 1, true, "[::1]", 80},
        Durum{"a:b:7", 1, true, "a:b", 7}));

}  // namespace
}  // namespace vadu
