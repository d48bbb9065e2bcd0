#include "orkestra/tcp.h"

#include <climits>
#include <utility>

#include "orkestra/soket_sahibi.h"
#include "platform/platform.h"

namespace vadu {

namespace pl = platform;

namespace {

// A full send buffer is waited out this many times per gonder, 1 ms each.
constexpr int EN_COK_BEKLEME = 100;
constexpr int ALIM_TAMPONU = 4096;

}  // namespace

TcpBaglanti::TcpBaglanti(uint64_t soket) {
  if (soket == 0 || !pl::soketKutuphanesiBaslat()) return;
  wsaBasladi_ = true;
  soket_ = soket;
  pl::soketBlokajsizYap(soket_);
  acik_ = true;
}

TcpBaglanti::TcpBaglanti(TcpBaglanti&& diger) noexcept
    : soket_(std::exchange(diger.soket_, 0)),
      acik_(std::exchange(diger.acik_, false)),
      wsaBasladi_(std::exchange(diger.wsaBasladi_, false)) {}

TcpBaglanti& TcpBaglanti::operator=(TcpBaglanti&& diger) noexcept {
  if (this != &diger) {
    kapat();
    soket_ = std::exchange(diger.soket_, 0);
    acik_ = std::exchange(diger.acik_, false);
    wsaBasladi_ = std::exchange(diger.wsaBasladi_, false);
  }
  return *this;
}

bool TcpBaglanti::baglan(const char* ip, uint16_t port) {
  kapat();
  const pl::Soket s = soketSahibiAc(pl::SoketTur::Akis, wsaBasladi_);
  if (s == pl::GECERSIZ_SOKET) {
    kapat();
    return false;
  }
  uint32_t adres = 0;
  if (!pl::ipv4Coz(ip, adres) || pl::soketBaglan(s, adres, port) != 0) {
    pl::soketKapat(s);
    kapat();
    return false;
  }
  pl::soketBlokajsizYap(s);
  soket_ = s;
  acik_ = true;
  return true;
}

bool TcpBaglanti::gonder(const std::string& veri) {
  if (!acik_) return false;
  size_t giden = 0;
  int bekleme = 0;
  while (giden < veri.size()) {
    const size_t kalan = veri.size() - giden;
    const int parca = kalan > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(kalan);
    const int n = pl::soketGonder(soket_, veri.data() + giden, parca);
    if (n > 0) {
      giden += static_cast<size_t>(n);
    } else if (n == pl::SOKET_HATASI && pl::soketSonHata() == pl::HATA_BLOKLANIR) {
      if (++bekleme >= EN_COK_BEKLEME) return false;
      pl::uyu(1);
    } else {
      return false;
    }
  }
  return true;
}

int TcpBaglanti::al(std::string& veri) {
  if (!acik_) return -1;
  char tampon[ALIM_TAMPONU];
  const int n = pl::soketAl(soket_, tampon, ALIM_TAMPONU);
  if (n > 0) {
    veri.assign(tampon, static_cast<size_t>(n));
    return n;
  }
  if (n == 0) return -1;
  return pl::soketSonHata() == pl::HATA_BLOKLANIR ? 0 : -1;
}

void TcpBaglanti::kapat() { soketSahibiKapat(soket_, acik_, wsaBasladi_); }

bool TcpDinleyici::ac(uint16_t port) {
  kapat();
  const pl::Soket s = soketSahibiAc(pl::SoketTur::Akis, wsaBasladi_);
  if (s == pl::GECERSIZ_SOKET) {
    kapat();
    return false;
  }
  if (pl::soketAdresAta(s, pl::IPV4_HER_ADRES, port) != 0 || pl::soketDinle(s, 8) != 0) {
    pl::soketKapat(s);
    kapat();
    return false;
  }
  pl::soketBlokajsizYap(s);
  soket_ = s;
  port_ = port;
  acik_ = true;
  return true;
}

uint64_t TcpDinleyici::kabulEt() {
  if (!acik_) return 0;
  const pl::Soket s = pl::soketKabulEt(soket_);
  return s == pl::GECERSIZ_SOKET ? 0 : s;
}

void TcpDinleyici::kapat() {
  soketSahibiKapat(soket_, acik_, wsaBasladi_);
  port_ = 0;
}

}  // namespace vadu
