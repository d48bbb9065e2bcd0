// One machine's metrics as the node registry keeps them and the metrics
// collector fills them: six 4-byte members, copied as a whole.
#pragma once

#include <cstdint>

namespace vadu {

struct MakineMetrik {
  float cpuYuzde = 0;        // CPU busy share, percent 0 to 100
  float ekDeger = 0;         // carried with the record, never filled here
  uint32_t ramMB = 0;        // physical memory in use, MiB
  uint32_t gpuBellekMB = 0;  // local video memory in use on the first adapter, MiB
  uint32_t diskBosGB = 0;    // free space available on the program's drive, GiB
  uint32_t ekSayi = 0;       // carried with the record, never filled here
};

}  // namespace vadu
