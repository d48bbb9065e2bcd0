// A client's TCP transport: one outgoing connection to the centre, made again
// after a loss at most once per interval of the caller's clock. Nothing
// happens outside nabiz and gonder; handlers run inside them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "istakip/tasima.h"
#include "orkestra/cozucu.h"
#include "orkestra/tcp.h"

namespace vadu {

class IstakipTasimaIstemci : public orkestra::TasimaArayuz {
 public:
  IstakipTasimaIstemci() = default;
  IstakipTasimaIstemci(const IstakipTasimaIstemci&) = delete;
  IstakipTasimaIstemci& operator=(const IstakipTasimaIstemci&) = delete;

  const char* ad() override { return "istakip-istemci-tcp"; }
  // Sets the target and a fresh decoder; the next pass may connect at once.
  // Neither connects nor closes.
  void hedefAyarla(const std::string& host, uint16_t port, uint64_t govdeSiniri);
  // One pass: connect when due (at most once per `tekrarMs` of the caller's
  // clock), then read what has arrived. Without a target it does nothing.
  void nabiz(uint64_t simdiMs, uint64_t tekrarMs);
  // The target address is not looked at. A failed send drops the connection.
  bool gonder(const orkestra::NodeAdres& hedef, const SurecCerceve& cerceve) override;
  // Closes without calling any handler.
  void kapat();
  // Closes and calls `koptu`: the path of every failure of an open connection.
  void baglantiyiBirak();
  bool bagliMi() const { return baglanti_.acikMi(); }
  void baglandiAyarla(std::function<void()> isleyici) { baglandi_ = std::move(isleyici); }
  void koptuAyarla(std::function<void()> isleyici) { koptu_ = std::move(isleyici); }

 private:
  std::string host_;
  uint16_t port_ = 0;
  TcpBaglanti baglanti_;
  CerceveCozucu cozucu_{0x400000};
  uint64_t sonDeneme_ = 0;  // 0: no attempt since the target was set
  std::function<void()> baglandi_;
  std::function<void()> koptu_;
};

}  // namespace vadu
