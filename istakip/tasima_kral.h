// The centre's TCP transport: listens on a port, serves many accepted
// connections, each a peer with a number of its own, refuses connections
// above a ceiling and reports every dropped connection to its owner.
// Nothing happens outside nabiz, and every handler runs inside it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "istakip/tasima.h"
#include "orkestra/cozucu.h"
#include "orkestra/tcp.h"

namespace vadu {

class IstakipTasimaKral : public orkestra::TasimaArayuz {
 public:
  using KoptuIsleyici = std::function<void(const orkestra::NodeAdres&)>;

  IstakipTasimaKral() = default;
  IstakipTasimaKral(const IstakipTasimaKral&) = delete;
  IstakipTasimaKral& operator=(const IstakipTasimaKral&) = delete;

  const char* ad() override { return "istakip-kral-tcp"; }
  // Keeps both limits even when the port cannot be opened; a ceiling of 0
  // is taken as 1. Connections accepted earlier keep their old body limit.
  bool ac(uint16_t port, uint64_t govdeSiniri, uint64_t baglantiTavani);
  // Accepts what waits, then reads every connection until it has nothing
  // more, delivering each complete frame and dropping broken connections.
  void nabiz();
  // False for a connection number that is not live, or a failed send. A
  // failed send may have left part of a frame on the stream, so the
  // connection is closed at once: nothing more is written behind the cut
  // frame, later sends to it fail without waiting on a peer that does not
  // read, and the next pass drops it and reports the loss.
  bool gonder(const orkestra::NodeAdres& hedef, const SurecCerceve& cerceve) override;
  // Closes every connection and the listener; calls no handler.
  void kapat();
  uint64_t baglantiSayisi() const { return baglantilar_.size(); }
  uint64_t reddedilenBaglanti() const { return reddedilenBaglanti_; }
  void baglantiKoptuAyarla(KoptuIsleyici isleyici) { baglantiKoptu_ = std::move(isleyici); }

 private:
  struct BaglantiKaydi {
    BaglantiKaydi(uint64_t id, uint64_t soket, uint64_t govdeSiniri)
        : id(id), baglanti(soket), cozucu(govdeSiniri) {}
    uint64_t id;
    TcpBaglanti baglanti;
    CerceveCozucu cozucu;
  };

  // Reads one connection dry; false when it must be dropped.
  bool oku(BaglantiKaydi& kayit);

  TcpDinleyici dinleyici_;
  std::vector<std::unique_ptr<BaglantiKaydi>> baglantilar_;  // oldest first
  uint64_t govdeSiniri_ = 0x400000;
  uint64_t baglantiTavani_ = 32;
  uint64_t sonBaglantiNo_ = 0;  // numbers are never reused by the object
  uint64_t reddedilenBaglanti_ = 0;
  KoptuIsleyici baglantiKoptu_;
};

}  // namespace vadu
