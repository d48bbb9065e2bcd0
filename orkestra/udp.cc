#include "orkestra/udp.h"

#include "orkestra/soket_sahibi.h"
#include "platform/platform.h"

namespace vadu {

namespace pl = platform;

bool UdpSoketWin::ac(uint16_t port) {
  kapat();
  const pl::Soket s = soketSahibiAc(pl::SoketTur::Datagram, wsaBasladi_);
  if (s == pl::GECERSIZ_SOKET) {
    kapat();
    return false;
  }
  // Without either option the socket still works for one node alone, so
  // their results do not decide the opening.
  pl::soketSecenekAyarla(s, pl::SoketSecenek::Yayin, 1);
  pl::soketSecenekAyarla(s, pl::SoketSecenek::AdresPaylas, 1);
  pl::soketBlokajsizYap(s);
  uint16_t bagli = 0;
  if (pl::soketAdresAta(s, pl::IPV4_HER_ADRES, port) == 0) {
    // Port 0 lets the system pick one; broadcasts go to the port actually
    // held, so it is asked for.
    bagli = port != 0 ? port : pl::soketYerelPort(s);
  }
  if (bagli == 0) {
    pl::soketKapat(s);
    kapat();
    return false;
  }
  soket_ = s;
  portNo_ = bagli;
  acik_ = true;
  return true;
}

void UdpSoketWin::kapat() {
  soketSahibiKapat(soket_, acik_, wsaBasladi_);
  portNo_ = 0;
}

bool UdpSoketWin::gonderYayin(const std::string& veri) {
  if (!acik_ || veri.size() > UDP_EN_BUYUK_DATAGRAM) return false;
  const int uzunluk = static_cast<int>(veri.size());
  return pl::soketGonderAdrese(soket_, veri.data(), uzunluk, pl::IPV4_YAYIN, portNo_) == uzunluk;
}

bool UdpSoketWin::al(std::string& veri, std::string* kaynakIp) {
  if (!acik_) return false;
  char tampon[UDP_ALIM_TAMPONU];
  uint32_t kaynak = 0;
  const int n = pl::soketAlAdresten(soket_, tampon, static_cast<int>(sizeof tampon), &kaynak,
                                    nullptr);
  if (n < 1) return false;
  veri.assign(tampon, static_cast<size_t>(n));
  if (kaynakIp) {
    char metin[22] = {};
    if (pl::ipv4Yaz(kaynak, metin, sizeof metin)) {
      *kaynakIp = metin;
    } else {
      kaynakIp->clear();
    }
  }
  return true;
}

}  // namespace vadu
