// Checks of job tracking over TCP: the address parser, a write's whole road
// from a client replica to the centre and back (with synchronisation,
// repeats and a reconnection), and the king transport's connection ceiling.
#include <cstdint>
#include <string>

#include "istakip/adres.h"
#include "istakip/depo.h"
#include "istakip/istemci.h"
#include "istakip/istemci_kanal.h"
#include "istakip/kral_kanal.h"
#include "istakip/merkez.h"
#include "istakip/tasima_istemci.h"
#include "istakip/tasima_kral.h"
#include "orkestra/tcp.h"
#include "platform/platform.h"
#include "test/kontrol.h"

using namespace vadu;
using namespace vadu::istakip;

namespace {

// Polls king and client in turn on the check's own clock until `kosul`
// holds: at most 100 passes, 10 ms of clock each, 5 ms asleep between.
template <typename Kosul>
bool nabizBekle(IstakipTasimaKral& kral, IstakipTasimaIstemci& istemci, uint64_t& simdiMs,
                Kosul kosul) {
  for (int i = 0; i < 100; ++i) {
    kral.nabiz();
    simdiMs += 10;
    istemci.nabiz(simdiMs, 5000);
    if (kosul()) return true;
    platform::uyu(5);
  }
  return false;
}

}  // namespace

VADU_TEST(istakip_adres_coz) {
  std::string ip;
  uint16_t port = 0;
  KONTROL(istakipAdresCoz("192.168.1.5:47820", ip, port, 1) && ip == "192.168.1.5" &&
          port == 47820);
  KONTROL(istakipAdresCoz("10.0.0.9", ip, port, 47820) && port == 47820);
  KONTROL(!istakipAdresCoz("", ip, port, 1));
  KONTROL(!istakipAdresCoz("host:", ip, port, 1));
  KONTROL(!istakipAdresCoz(":99", ip, port, 1));
  KONTROL(!istakipAdresCoz("host:99999", ip, port, 1));
  KONTROL(!istakipAdresCoz("host:0", ip, port, 1));
}

VADU_TEST(istakip_tcp_uctan_uca) {
  IstakipTasimaKral kralTasima;
  KONTROL(kralTasima.ac(48221, 1u << 20, 8));
  DepoBellek depo;
  IsMerkez merkez(depo);
  IsKralKanal kralKanal(merkez, kralTasima, 2);
  kralTasima.baglantiKoptuAyarla([&](const orkestra::NodeAdres& a) { kralKanal.baglantiKoptu(a); });

  IstakipTasimaIstemci istTasima;
  IsIstemci ist(777);
  IsIstemciKanal istKanal(ist, istTasima, orkestra::NodeAdres{});
  istTasima.baglandiAyarla([&] { istKanal.senkronIste(); });
  istTasima.koptuAyarla([&] { istKanal.baglantiKoptu(); });
  istTasima.hedefAyarla("127.0.0.1", 48221, 0x100000);
  uint64_t simdiMs = 100000;

  KONTROL(nabizBekle(kralTasima, istTasima, simdiMs, [&] { return istKanal.bagli(); }));

  Kayit t;
  t.tur = "siparis";
  t.alanYaz("ad", "atolye-1");
  istKanal.yaz(t, 0);
  KONTROL(nabizBekle(kralTasima, istTasima, simdiMs,
                     [&] { return ist.bul(1) && ist.bekleyenler().empty(); }));
  KONTROL(merkez.sonSurum() == 1 && kralKanal.uygulananYazma() == 1);

  for (int i = 0; i < 5; ++i) istKanal.yaz(t, 0);
  KONTROL(nabizBekle(kralTasima, istTasima, simdiMs, [&] { return merkez.sonSurum() == 6; }));

  istTasima.kapat();
  istKanal.baglantiKoptu();
  kralTasima.nabiz();
  KONTROL(
      nabizBekle(kralTasima, istTasima, simdiMs, [&] { return kralTasima.baglantiSayisi() == 0; }));

  istKanal.yaz(t, 0);
  simdiMs += 10000;
  KONTROL(nabizBekle(kralTasima, istTasima, simdiMs,
                     [&] { return istKanal.bagli() && ist.bekleyenler().empty(); }));
  KONTROL(merkez.sonSurum() == 7 && ist.sonSurum() == 7);
  KONTROL(ist.turListe("siparis").size() == 7);
  kralTasima.kapat();
}

VADU_TEST(istakip_tcp_baglanti_tavani) {
  IstakipTasimaKral kral;
  KONTROL(kral.ac(48222, 1u << 16, 1));
  TcpBaglanti b1;
  TcpBaglanti b2;
  KONTROL(b1.baglan("127.0.0.1", 48222));
  KONTROL(b2.baglan("127.0.0.1", 48222));
  for (int i = 0; i < 50 && kral.reddedilenBaglanti() == 0; ++i) {
    kral.nabiz();
    platform::uyu(10);
  }
  KONTROL(kral.baglantiSayisi() == 1 && kral.reddedilenBaglanti() == 1);
  kral.kapat();
}
