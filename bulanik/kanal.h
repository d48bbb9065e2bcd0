// What the two channel targets share: a reader that takes fields from the
// input and gives zeros once it runs out (the codec's cursor underneath), and a transport double
// that hands every frame offered to it to a checker before it reports the send.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>

#include "istakip/kanit.h"
#include "istakip/tasima.h"
#include "orkestra/cerceve.h"
#include "orkestra/kodlama.h"

namespace vadu::bulanik {

class Girdi {
 public:
  Girdi(const uint8_t* veri, size_t boy) : o_(veri, veri + boy) {}

  bool bitti() const { return o_.kalan() == 0; }
  uint8_t u8() {
    uint8_t v = 0;
    o_.u8(v);
    return v;
  }
  uint16_t u16() {
    const uint16_t a = u8();
    return static_cast<uint16_t>(a | u8() << 8);
  }
  uint64_t u64() {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i) v |= static_cast<uint64_t>(u8()) << (8 * i);
    return v;
  }
  // At most `n` bytes: what is left when fewer remain.
  std::string metin(size_t n) {
    std::string s;
    o_.ham(std::min(n, o_.kalan()), s);
    return s;
  }

 private:
  BaytOkuyucu o_;
};

class DenetciTasima : public orkestra::TasimaArayuz {
 public:
  const char* ad() override { return "bulanik"; }
  bool gonder(const orkestra::NodeAdres& hedef, const SurecCerceve& c) override {
    ++gonderimSayisi;
    if (denetle) denetle(hedef, c);
    return !reddet || !reddet(hedef);
  }
  void teslimEt(const orkestra::NodeAdres& kimden, const SurecCerceve& c) {
    if (alici_) alici_(kimden, c);
  }

  std::function<void(const orkestra::NodeAdres&, const SurecCerceve&)> denetle;
  // True: the send to this peer fails.
  std::function<bool(const orkestra::NodeAdres&)> reddet;
  uint64_t gonderimSayisi = 0;  // frames offered, sent or not
};

// The one pairing key of a run, found for every number but those ending in
// binary 11, so that both a proof and a missing key are reached.
inline const istakip::Anahtar& ortakAnahtar() {
  static const istakip::Anahtar a = [] {
    istakip::Anahtar k{};
    for (size_t i = 0; i < k.size(); ++i) k[i] = static_cast<uint8_t>(0x5A ^ (i * 7));
    return k;
  }();
  return a;
}
inline bool anahtariVar(uint64_t no) { return no % 4 != 3; }

// The seven words that a result may carry; no other is ever sent.
inline bool sonucKelimesi(const std::string& s) {
  for (const char* k : {"tekrar", "cakisma", "depo", "yetki", "eslesme", "kimlik", "dosya"}) {
    if (s == k) return true;
  }
  return false;
}

}  // namespace vadu::bulanik
