// A client's copy of the centre's records and its queue of writes that the
// centre has not confirmed yet. The replica never applies its own writes: a
// written record comes in only with the centre's notice or a synchronisation
// batch, carrying the identifier and version the centre gave it.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "istakip/kayit.h"

namespace vadu::istakip {

struct Bekleyen {
  uint64_t sira = 0;
  Kayit kayit;                 // as the client wrote it
  uint64_t beklenenSurum = 0;  // 0: unconditional
};

class IsIstemci {
 public:
  explicit IsIstemci(uint64_t istemciNo) : istemciNo_(istemciNo) {}

  // Queues a write under the next sequence number and returns that number;
  // 0, with nothing queued, once the numbers are used up.
  uint64_t yaz(const Kayit& kayit, uint64_t beklenenSurum);

  // One synchronisation batch: stores its records, raises the version to
  // `yeniSurum`, drops the writes the centre has handled up to `islenenSira`
  // and numbers later writes above it.
  void senkronUygula(const std::vector<Kayit>& kayitlar, uint64_t yeniSurum, uint64_t islenenSira);

  // The centre's notice of one applied write by `yazarNo`.
  void bildirimUygula(const Kayit& kayit, uint64_t yazarNo, uint64_t yazarSira);

  // Drops pending writes from the front up to `sira`.
  void onaylandi(uint64_t sira);
  // Drops the pending write `sira`, wherever it stands.
  void reddedildi(uint64_t sira);

  // Pointers into the replica: records are never removed, so they stay valid
  // and show later updates.
  const Kayit* bul(uint64_t id) const;
  std::vector<const Kayit*> turListe(const std::string& tur) const;

  uint64_t istemciNo() const { return istemciNo_; }
  uint64_t sonSurum() const { return sonSurum_; }
  uint64_t sonSira() const { return sonSira_; }
  const std::deque<Bekleyen>& bekleyenler() const { return bekleyenler_; }

 private:
  void onunuBirak(uint64_t sira);

  uint64_t istemciNo_;
  uint64_t sonSurum_ = 0;
  uint64_t sonSira_ = 0;
  std::unordered_map<uint64_t, Kayit> kayitlar_;
  std::deque<Bekleyen> bekleyenler_;
};

}  // namespace vadu::istakip
