// Checks of the TCP connection and listener over the loopback interface,
// together with the frame writer and the frame stream decoder.
#include <cstdint>
#include <string>
#include <vector>

#include "orkestra/cerceve.h"
#include "orkestra/cozucu.h"
#include "orkestra/tcp.h"
#include "platform/platform.h"
#include "test/kontrol.h"

using namespace vadu;

VADU_TEST(tcp_loopback_cerceve_kanali) {
  TcpDinleyici dinleyici;
  KONTROL(dinleyici.ac(48211));
  TcpDinleyici ikinci;
  KONTROL(!ikinci.ac(48211));
  TcpBaglanti istemci;
  KONTROL(istemci.baglan("127.0.0.1", 48211));

  uint64_t kabul = 0;
  for (int i = 0; i < 50 && kabul == 0; ++i) {
    kabul = dinleyici.kabulEt();
    if (kabul == 0) platform::uyu(10);
  }
  KONTROL(kabul != 0);
  TcpBaglanti sunucuUcu(kabul);
  KONTROL(sunucuUcu.acikMi());

  SurecCerceve c1;
  c1.tip = SurecMesajTip::EslesmeIste;
  c1.govde = "kod:480317";
  SurecCerceve c2;
  c2.tip = static_cast<SurecMesajTip>(11);
  c2.korelasyon = 7;
  KONTROL(istemci.gonder(surecproto::cerceveSerialize(c1) + surecproto::cerceveSerialize(c2)));

  CerceveCozucu cozucu(0x400000);
  std::vector<SurecCerceve> gelen;
  for (int i = 0; i < 50; ++i) {
    if (gelen.size() >= 2) break;
    std::string veri;
    const int n = sunucuUcu.al(veri);
    KONTROL(n >= 0);
    if (n > 0) {
      KONTROL(cozucu.besle(veri.data(), veri.size(), gelen));
    } else {
      platform::uyu(10);
    }
  }
  KONTROL(gelen.size() == 2);
  KONTROL_EGER(gelen.size() > 0,
               gelen[0].tip == SurecMesajTip::EslesmeIste && gelen[0].govde == "kod:480317");
  KONTROL_EGER(gelen.size() > 1, gelen[1].korelasyon == 7);

  istemci.kapat();
  int sonuc = 0;
  for (int i = 0; i < 50 && sonuc == 0; ++i) {
    std::string veri;
    sonuc = sunucuUcu.al(veri);
    if (sonuc == 0) platform::uyu(10);
  }
  KONTROL(sonuc == -1);
}

VADU_TEST(tcp_kapaliyken_guvenli) {
  TcpBaglanti b;
  std::string veri;
  KONTROL(!b.gonder("x"));
  KONTROL(b.al(veri) == -1);
  KONTROL(!b.baglan("127.0.0.1", 1));
  TcpDinleyici d;
  KONTROL(d.kabulEt() == 0);
  d.kapat();
  d.kapat();
}
