// Cuts a byte stream of binary process-bridge frames, sent back to back, into
// records. The owner feeds every received piece in order; each call hands out
// the frames that the piece completes. A frame with a wrong magic or a body
// above the limit breaks the decoder for good: it never looks for the next
// frame, and only sifirla (or a fresh decoder) makes it work again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "orkestra/cerceve.h"

namespace vadu {

class CerceveCozucu {
 public:
  explicit CerceveCozucu(uint64_t maxGovde) : maxGovde_(maxGovde) {}

  CerceveCozucu(const CerceveCozucu&) = delete;
  CerceveCozucu& operator=(const CerceveCozucu&) = delete;
  CerceveCozucu(CerceveCozucu&&) noexcept = default;
  CerceveCozucu& operator=(CerceveCozucu&&) noexcept = default;

  // Appends to `out` (never cleared) every frame that these bytes complete, in
  // stream order. False when the decoder is broken, now or from before; frames
  // decoded ahead of the fault in the same call stay in `out`.
  bool besle(const char* data, size_t len, std::vector<SurecCerceve>& out);

  // Empties the buffer and mends the decoder; the limit stays.
  void sifirla() {
    tampon_.clear();
    bekleyen_.govde = std::string();
    bozuk_ = false;
  }

  uint64_t maxGovde() const { return maxGovde_; }
  // Bytes received and not consumed: the start of at most one frame while the
  // decoder works; after a fault everything fed up to and including the
  // faulty piece.
  std::string tampon() const;
  bool bozukMu() const { return bozuk_; }

 private:
  uint64_t maxGovde_;
  // While working: the frame that is not complete yet, up to its 28 header
  // bytes. Once its header is whole, the body bytes received so far wait in
  // bekleyen_, the record that the frame will become, so that they are not
  // copied again when it completes. After a fault: everything fed.
  std::string tampon_;
  bool bozuk_ = false;
  SurecCerceve bekleyen_;
};

}  // namespace vadu
