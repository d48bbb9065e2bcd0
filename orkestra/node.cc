#include "orkestra/node.h"

namespace vadu {

const char* nodeDurumAdi(NodeDurum d) {
  switch (d) {
    case NodeDurum::Online: return "Çevrimiçi";
    case NodeDurum::Bosta: return "Boşta";
    case NodeDurum::Busy: return "Meşgul";
    case NodeDurum::Hata: return "Hata";
    case NodeDurum::Yanitsiz: return "Yanıtsız";
    case NodeDurum::Cevrimdisi: return "Çevrimdışı";
  }
  return "?";
}

uint64_t orkestraNodeId(const std::string& ad) {
  // One digit short of the published FNV-1a offset basis; every peer of the
  // network hashes from this value, so it stays.
  uint64_t h = 1469598103934665603ull;
  for (const char c : ad) {
    h ^= static_cast<uint8_t>(c);
    h *= 1099511628211ull;
  }
  return h != 0 ? h : 1;
}

NodeKayit yerelIlanKur(uint64_t nodeId, const std::string& ad, const char* surum,
                       uint32_t runtimeSayisi, uint32_t aktifTask) {
  NodeKayit k;
  k.nodeId = nodeId;
  k.ad = ad;
  if (surum != nullptr) k.surum = surum;
  k.runtimeSayisi = runtimeSayisi;
  k.aktifTask = aktifTask;
  k.dogrulanmis = true;
  return k;
}

}  // namespace vadu
