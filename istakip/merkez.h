// The centre of job tracking: applies clients' writes to the store, gives
// every new record its identifier and every applied write the next version,
// and recognises writes that arrive twice by the writer's sequence number.
#pragma once

#include <cstdint>
#include <vector>

#include "istakip/depo.h"
#include "istakip/kayit.h"

namespace vadu::istakip {

// At most one flag is set. Applied: basarili. Already applied: no flag.
struct YazmaSonucu {
  bool basarili = false;
  bool depoHatasi = false;
  bool cakisma = false;
  Kayit kayit;  // the record as stored, when applied
};

class IsMerkez {
 public:
  // Continues from the versions and identifiers already in `depo`, which must
  // outlive the centre.
  explicit IsMerkez(DepoArayuz& depo);

  // One write of client `istemciNo` with its sequence number `sira`.
  // `beklenenSurum` is the version the client expects; 0 writes unconditionally.
  // A new record once the largest identifier is taken is a store failure.
  YazmaSonucu yaz(uint64_t istemciNo, uint64_t sira, const Kayit& kayit, uint64_t beklenenSurum);

  uint64_t sonSurum() const { return sonSurum_; }
  std::vector<Kayit> degisenler(uint64_t surum) { return depo_->degisenler(surum); }
  uint64_t yazarSira(uint64_t istemciNo) { return depo_->yazarSira(istemciNo); }

 private:
  DepoArayuz* depo_;
  uint64_t sonSurum_;
  uint64_t sonId_;
};

}  // namespace vadu::istakip
