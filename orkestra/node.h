// A node of the orchestration network: its identity, its record and the
// announcement with which the local node makes itself known.
#pragma once

#include <cstdint>
#include <string>

#include "orkestra/metrik_kaydi.h"

namespace vadu {

// Derived from the time since the node was last heard from and from what it
// reports; see NodeDefter::durumHesapla.
enum class NodeDurum : uint8_t {
  Online = 0,
  Bosta = 1,
  Busy = 2,
  Hata = 3,
  Yanitsiz = 4,
  Cevrimdisi = 5,
};

// The display name in UTF-8; "?" for a value outside the enumeration.
const char* nodeDurumAdi(NodeDurum durum);

struct NodeKayit {
  uint64_t nodeId = 0;  // orkestraNodeId of `ad`; the registry's key
  std::string ad;
  std::string kaliciMetin;  // an update replaces it only with a non-empty text
  std::string surum;
  std::string ekMetin;  // every update replaces it
  uint32_t runtimeSayisi = 0;
  uint32_t aktifTask = 0;
  bool hata = false;
  bool dogrulanmis = false;
  uint64_t ilkGorulmeMs = 0;  // insertion into the registry, caller's clock
  uint64_t sonGorulmeMs = 0;  // last announcement or metrics
  uint64_t sonMetrikMs = 0;   // last metrics; 0 = never
  MakineMetrik metrik;
  NodeDurum durum = NodeDurum::Online;
};

// The network's FNV-1a hash of the name (orkestra/fnv.h). Never 0: no name
// may take the empty identity.
uint64_t orkestraNodeId(const std::string& ad);

// The local node's announcement; a null `surum` is an empty version text.
NodeKayit yerelIlanKur(uint64_t nodeId, const std::string& ad, const char* surum,
                       uint32_t runtimeSayisi, uint32_t aktifTask);

}  // namespace vadu
