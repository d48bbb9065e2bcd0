// The datagram socket of the orchestration network: one broadcast datagram
// out, one datagram in, polled. UdpSoketWin is the socket over the platform
// layer: non-blocking IPv4, bound to one port on every local address, allowed
// to broadcast and to share its port with other sockets, so that every node
// bound to the port on the local network hears what any of them sends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vadu::orkestra {

class UdpSoketArayuz {
 public:
  virtual ~UdpSoketArayuz() {}
  // Broadcasts `veri` as one datagram; false when it is not sent whole.
  virtual bool gonderYayin(const std::string& veri) = 0;
  // Takes one waiting datagram into `veri`, its sender's dotted address into
  // `*kaynakIp` when asked; false when nothing waits or on an error.
  virtual bool al(std::string& veri, std::string* kaynakIp = nullptr) = 0;
};

}  // namespace vadu::orkestra

namespace vadu {

// The largest datagram that gonderYayin sends.
inline constexpr size_t UDP_EN_BUYUK_DATAGRAM = 1400;
// What al takes of one datagram; a larger one is a failed receive.
inline constexpr size_t UDP_ALIM_TAMPONU = 2048;

class UdpSoketWin : public orkestra::UdpSoketArayuz {
 public:
  UdpSoketWin() = default;
  ~UdpSoketWin() override { kapat(); }

  UdpSoketWin(const UdpSoketWin&) = delete;
  UdpSoketWin& operator=(const UdpSoketWin&) = delete;

  // Opens and binds `port` on every local address, closing an open socket
  // first; port 0 takes a free port of the system's choice, which port() then
  // reports. A failure leaves the object closed, owing nothing.
  bool ac(uint16_t port);
  // Safe at any time, also twice or when never opened.
  void kapat();
  bool acikMi() const { return acik_; }
  // The bound port, host order; 0 when closed.
  uint16_t port() const { return portNo_; }

  // To the limited broadcast address on the socket's own port. More than
  // UDP_EN_BUYUK_DATAGRAM bytes are refused and nothing is sent.
  bool gonderYayin(const std::string& veri) override;
  // Never waits. An empty datagram is taken and answered with false, as is
  // one larger than UDP_ALIM_TAMPONU; `veri` and `*kaynakIp` then keep what
  // they held.
  bool al(std::string& veri, std::string* kaynakIp = nullptr) override;

 private:
  uint64_t soket_ = 0;
  uint16_t portNo_ = 0;
  bool acik_ = false;
  bool wsaBasladi_ = false;
};

}  // namespace vadu
