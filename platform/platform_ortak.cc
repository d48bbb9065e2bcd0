// The part of the platform layer that is the same on every system: the
// thread's last error, the count of socket-library start-ups and the random
// source's test hooks. The system itself is reached only through the calls
// that each half gives (platform_ortak.h).
#include "platform/platform_ortak.h"

#include <atomic>

#include "platform/platform.h"

namespace vadu::platform {

namespace {

std::atomic<uint32_t> baslatmaSayaci{0};
thread_local int sonHata = 0;

RastgeleKancalari kancalar;

}  // namespace

namespace ortak {

int hataVer(int hata) {
  sonHata = hata;
  return SOKET_HATASI;
}

bool kutuphaneBasladi() {
  if (baslatmaSayaci.load(std::memory_order_acquire) != 0) return true;
  hataVer(HATA_BASLATILMADI);
  return false;
}

}  // namespace ortak

bool soketKutuphanesiBaslat() {
  if (!ortak::sistemKutuphanesiBaslat()) return false;
  baslatmaSayaci.fetch_add(1, std::memory_order_acq_rel);
  return true;
}

void soketKutuphanesiBirak() {
  uint32_t n = baslatmaSayaci.load(std::memory_order_acquire);
  while (n > 0 && !baslatmaSayaci.compare_exchange_weak(n, n - 1, std::memory_order_acq_rel)) {
  }
  // A release without a start-up must not wrap the count nor reach the
  // system, which would then give back a start-up that another owner holds.
  if (n == 0) {
    ortak::hataVer(HATA_BASLATILMADI);
    return;
  }
  ortak::sistemKutuphanesiBirak();
}

uint32_t soketKutuphanesiSayaci() { return baslatmaSayaci.load(std::memory_order_acquire); }

int soketSonHata() { return sonHata; }

bool sistemRastgele(uint8_t* tampon, uint32_t uzunluk) {
  if (kancalar.sistemRastgele) return kancalar.sistemRastgele(tampon, uzunluk);
  return ortak::sistemRastgeleDoldur(tampon, uzunluk);
}

uint64_t performansSayaci() {
  if (kancalar.performansSayaci) return kancalar.performansSayaci();
  return ortak::sistemPerformansSayaci();
}

uint64_t tikSayisi() {
  if (kancalar.tikSayisi) return kancalar.tikSayisi();
  return ortak::sistemTikSayisi();
}

void rastgeleKancalariAyarla(const RastgeleKancalari* yeni) {
  kancalar = yeni ? *yeni : RastgeleKancalari{};
}

}  // namespace vadu::platform
