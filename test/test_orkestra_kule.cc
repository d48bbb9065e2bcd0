// Checks of node identity, the local announcement and the node registry.
#include <cstdint>
#include <string>

#include "orkestra/defter.h"
#include "orkestra/node.h"
#include "test/kontrol.h"

using namespace vadu;

VADU_TEST(orkestra_node_id_deterministik) {
  const uint64_t a1 = orkestraNodeId("atolye-pc");
  const uint64_t a2 = orkestraNodeId(std::string("atolye") + "-pc");
  const uint64_t b = orkestraNodeId("cizim-pc");
  KONTROL(a1 == a2);
  KONTROL(a1 != b);
  KONTROL(a1 != 0);
  KONTROL(orkestraNodeId("") != 0);
}

VADU_TEST(orkestra_yerel_ilan_alanlari) {
  const NodeKayit n = yerelIlanKur(42, "makine", "0.5.0", 3, 1);
  KONTROL(n.nodeId == 42);
  KONTROL(n.ad == "makine");
  KONTROL(n.surum == "0.5.0");
  KONTROL(n.runtimeSayisi == 3);
  KONTROL(n.aktifTask == 1);
  KONTROL(n.dogrulanmis);
  KONTROL(yerelIlanKur(1, "x", nullptr, 0, 0).surum.empty());
}

VADU_TEST(orkestra_yerel_ilan_defterde) {
  NodeDefter defter(5000, 10000);
  const uint64_t id = orkestraNodeId("makine");
  defter.guncelle(yerelIlanKur(id, "makine", "0.5.0", 1, 0), 1000);
  KONTROL(defter.bul(id) && defter.bul(id)->durum == NodeDurum::Online);
  defter.aktifTaskAyarla(id, 2);
  KONTROL(defter.bul(id)->durum == NodeDurum::Busy);
  defter.aktifTaskAyarla(id, 0);
  KONTROL(defter.bul(id)->durum == NodeDurum::Online);
  defter.sureleriAyarla(100, 200);
  defter.denetle(1150);
  KONTROL(defter.bul(id)->durum == NodeDurum::Yanitsiz);
}
