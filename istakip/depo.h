// The store of job records and of each writer's last applied sequence number.
// The centre reaches it only through DepoArayuz, so another store may refuse a
// write; DepoBellek keeps everything in memory and never refuses.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "istakip/kayit.h"

namespace vadu::istakip {

class DepoArayuz {
 public:
  virtual ~DepoArayuz() = default;
  virtual const char* ad() = 0;
  // Stores a copy under k.id, replacing the whole record there.
  virtual bool kaydet(const Kayit& k) = 0;
  // Copies the record stored under `id` into `cikan`; leaves it alone if none.
  virtual bool bul(uint64_t id, Kayit& cikan) = 0;
  // Copies of every record whose version is above `surum`, ascending by version.
  virtual std::vector<Kayit> degisenler(uint64_t surum) = 0;
  virtual uint64_t enBuyukSurum() = 0;
  virtual uint64_t enBuyukId() = 0;
  // The writer's last recorded sequence number; 0 when none.
  virtual uint64_t yazarSira(uint64_t istemciNo) = 0;
  virtual bool yazarSiraKaydet(uint64_t istemciNo, uint64_t sira) = 0;
};

class DepoBellek : public DepoArayuz {
 public:
  const char* ad() override { return "bellek"; }
  bool kaydet(const Kayit& k) override;
  bool bul(uint64_t id, Kayit& cikan) override;
  std::vector<Kayit> degisenler(uint64_t surum) override;
  uint64_t enBuyukSurum() override;
  uint64_t enBuyukId() override;
  uint64_t yazarSira(uint64_t istemciNo) override;
  bool yazarSiraKaydet(uint64_t istemciNo, uint64_t sira) override;

 private:
  std::unordered_map<uint64_t, Kayit> kayitlar_;
  std::unordered_map<uint64_t, uint64_t> yazarSiralari_;
};

}  // namespace vadu::istakip
