// Non-blocking IPv4 TCP over the platform layer: one connection, made outward
// or taken over from a listener, and a listener that hands out accepted
// sockets. Both are polled, never waited on, once set up. Each open object
// holds one start-up of the socket library and pays it back when it closes,
// so objects may be made and dropped in any order.
#pragma once

#include <cstdint>
#include <string>

namespace vadu {

class TcpBaglanti {
 public:
  TcpBaglanti() = default;
  // Takes over a socket from TcpDinleyici::kabulEt. 0, or a failed library
  // start-up, leaves the object closed and the socket untouched.
  explicit TcpBaglanti(uint64_t soket);
  ~TcpBaglanti() { kapat(); }

  TcpBaglanti(const TcpBaglanti&) = delete;
  TcpBaglanti& operator=(const TcpBaglanti&) = delete;
  // The socket and its start-up move with the object; the source is closed.
  TcpBaglanti(TcpBaglanti&& diger) noexcept;
  TcpBaglanti& operator=(TcpBaglanti&& diger) noexcept;

  // Connects to a dotted-decimal IPv4 address (no name lookup), waiting for
  // the outcome, then turns non-blocking. Closes an open connection first.
  bool baglan(const char* ip, uint16_t port);

  // Sends every byte; a full send buffer is retried after 1 ms sleeps, at
  // most 99 of them per call. False when not open, on an error, or when the
  // buffer stays full; bytes sent before that stay sent.
  bool gonder(const std::string& veri);

  // One receive of at most 4096 bytes into `veri`, replacing its contents:
  // the count, 0 when nothing is there yet, -1 when the peer closed, the
  // connection failed or the object is not open.
  int al(std::string& veri);

  void kapat();
  // This object's own state; a peer's close shows only as -1 from al.
  bool acikMi() const { return acik_; }

 private:
  uint64_t soket_ = 0;
  bool acik_ = false;
  bool wsaBasladi_ = false;
};

class TcpDinleyici {
 public:
  TcpDinleyici() = default;
  ~TcpDinleyici() { kapat(); }

  TcpDinleyici(const TcpDinleyici&) = delete;
  TcpDinleyici& operator=(const TcpDinleyici&) = delete;

  // Listens on every local IPv4 address at `port` (backlog 8). False when the
  // port has a live listener already; connections of an earlier listener that
  // linger in TIME_WAIT do not stand in the way.
  bool ac(uint16_t port);

  // An accepted socket for TcpBaglanti(uint64_t), or 0 when not open, when
  // nobody waits, or on an error. Never waits.
  uint64_t kabulEt();

  void kapat();
  bool acikMi() const { return acik_; }
  uint16_t port() const { return port_; }

 private:
  uint64_t soket_ = 0;
  uint16_t port_ = 0;
  bool acik_ = false;
  bool wsaBasladi_ = false;
};

}  // namespace vadu
