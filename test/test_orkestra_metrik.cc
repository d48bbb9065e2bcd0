// Checks of the machine-metrics collector on the running machine.
#include "orkestra/metrik.h"
#include "orkestra/metrik_kaydi.h"
#include "test/kontrol.h"

using namespace vadu;

VADU_TEST(metrik_topla_akla_yatkin) {
  MetrikToplayici t;
  MakineMetrik m;
  KONTROL(t.topla(m));
  KONTROL(m.ramMB > 0);
  KONTROL(m.cpuYuzde >= 0.f && m.cpuYuzde <= 100.f);
  MakineMetrik m2;
  KONTROL(t.topla(m2));
  KONTROL(m2.cpuYuzde >= 0.f && m2.cpuYuzde <= 100.f);
  KONTROL(m2.ramMB > 128);
  KONTROL(m2.diskBosGB < 1000000);
}
