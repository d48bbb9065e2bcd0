// The transport of job tracking: a channel sends one frame to a peer address
// and receives every incoming frame, with the sender's address, through one
// handler. Transports are polled; the handler runs inside their polling.
#pragma once

#include <cstdint>
#include <functional>
#include <utility>

#include "orkestra/cerceve.h"

namespace vadu::orkestra {

// A peer within one transport: the king transport's connection number; the
// client transport has one peer, all zero.
struct NodeAdres {
  uint64_t baglantiNo = 0;
  uint32_t ekNo = 0;

  bool operator==(const NodeAdres&) const = default;
};

using CerceveAlici = std::function<void(const NodeAdres&, const SurecCerceve&)>;

class TasimaArayuz {
 public:
  virtual ~TasimaArayuz() = default;
  virtual const char* ad() = 0;
  // True when every byte of the serialised frame was handed to the connection.
  virtual bool gonder(const NodeAdres& hedef, const SurecCerceve& cerceve) = 0;
  // Replaces the receive handler. A slot of its own, though no transport
  // needs to override it.
  virtual void aliciAyarla(CerceveAlici alici) { alici_ = std::move(alici); }

 protected:
  CerceveAlici alici_;
};

}  // namespace vadu::orkestra

namespace vadu::istakip {

// The channels of job tracking name the transport's types as their own.
using orkestra::NodeAdres;
using orkestra::TasimaArayuz;

}  // namespace vadu::istakip
