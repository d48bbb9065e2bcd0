#include "orkestra/node.h"

#include "orkestra/fnv.h"

namespace vadu {

const char* nodeDurumAdi(NodeDurum durum) {
  switch (durum) {
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
  const uint64_t h = fnvOzet(ad);
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
