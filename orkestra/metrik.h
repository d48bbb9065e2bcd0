// Samples the local machine into a MakineMetrik: CPU busy share since the
// previous sample, physical memory in use, video memory in use on the first
// graphics adapter and free space on the program's own drive. Every source
// may fail on its own; its field is then left as it was.
#pragma once

#include <cstdint>

#include "orkestra/metrik_kaydi.h"
#include "platform/platform.h"

namespace vadu {

class MetrikToplayici {
 public:
  MetrikToplayici() = default;
  ~MetrikToplayici();

  MetrikToplayici(const MetrikToplayici&) = delete;
  MetrikToplayici& operator=(const MetrikToplayici&) = delete;

  // One sample into `metrik`: true when at least one source delivered. The CPU
  // share needs a previous sample, so the first call only takes the baseline
  // and leaves `cpuYuzde` alone. The adapter is looked up once per collector.
  // `ekDeger` and `ekSayi` are never written.
  bool topla(MakineMetrik& metrik);

 private:
  uint64_t oncekiBosta_ = 0;     // cumulative, 100-ns units
  uint64_t oncekiCekirdek_ = 0;  // includes the idle time
  uint64_t oncekiKullanici_ = 0;
  platform::GrafikAdaptor* adaptor_ = nullptr;  // owned
  bool adaptorDenendi_ = false;
};

// The busy share in percent of an interval of `toplam` processor time of
// which `bosta` was idle, in single precision and within 0 to 100 (idle time
// beyond the total counts as none busy). False for an empty interval, which
// has no share.
bool metrikCpuYuzdesi(uint64_t toplam, uint64_t bosta, float& yuzde);

}  // namespace vadu
