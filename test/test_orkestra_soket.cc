// Checks of the UDP broadcast socket with real sockets on fixed local ports:
// opening, closing and sharing a port, a socket never opened, and the size
// limit of a datagram.
#include <string>

#include "orkestra/udp.h"
#include "test/kontrol.h"

using namespace vadu;

VADU_TEST(udp_soket_ac_kapat_ve_reuseaddr) {
  UdpSoketWin a;
  KONTROL(!a.acikMi());
  KONTROL(a.ac(48123));
  KONTROL(a.acikMi() && a.port() == 48123);
  UdpSoketWin b;
  KONTROL(b.ac(48123));
  a.kapat();
  KONTROL(!a.acikMi() && a.port() == 0);
  b.kapat();
  KONTROL(a.ac(48124));
  a.kapat();
}

VADU_TEST(udp_soket_kapaliyken_guvenli) {
  UdpSoketWin s;
  std::string veri;
  KONTROL(!s.gonderYayin("x"));
  KONTROL(!s.al(veri));
  s.kapat();
  s.kapat();
}

VADU_TEST(udp_soket_buyuk_datagram_reddi) {
  UdpSoketWin s;
  KONTROL(s.ac(48125));
  KONTROL(!s.gonderYayin(std::string(2000, 'x')));
  s.kapat();
}
