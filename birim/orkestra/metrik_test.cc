#include "orkestra/metrik.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/platform.h"

namespace vadu {
namespace {

TEST(MetrikCpuYuzdesi, BusyShareWithinZeroToHundred) {
  const struct {
    uint64_t toplam, bosta;
    float yuzde;
  } durumlar[] = {
      {100, 25, 75.f},          {100, 0, 100.f},
      {100, 100, 0.f},          {100, 250, 0.f},  // idle beyond the total is none busy, not a wrap
      {3, 1, 66.6667f},         {uint64_t{1} << 63, uint64_t{1} << 62, 50.f},
      {~uint64_t{0}, 0, 100.f},
  };
  for (const auto& d : durumlar) {
    float yuzde = -1.f;
    ASSERT_TRUE(metrikCpuYuzdesi(d.toplam, d.bosta, yuzde)) << d.toplam << " " << d.bosta;
    EXPECT_NEAR(yuzde, d.yuzde, 1e-3f) << d.toplam << " " << d.bosta;
    EXPECT_GE(yuzde, 0.f);
    EXPECT_LE(yuzde, 100.f);
  }
  float yuzde = -1.f;
  EXPECT_FALSE(metrikCpuYuzdesi(0, 0, yuzde));  // two samples within one tick
  EXPECT_FALSE(metrikCpuYuzdesi(0, 5, yuzde));
  EXPECT_EQ(yuzde, -1.f);
}

// Marks in every field show which ones a sample writes.
MakineMetrik isaretli() {
  MakineMetrik m;
  m.cpuYuzde = -7.f;
  m.ekDeger = 1.5f;
  m.gpuBellekMB = 12345;
  m.ekSayi = 99;
  return m;
}

TEST(MetrikToplayici, FirstSampleIsTheBaselineTheSecondGivesTheShare) {
  MetrikToplayici t;
  MakineMetrik m = isaretli();
  ASSERT_TRUE(t.topla(m));
  EXPECT_EQ(m.cpuYuzde, -7.f);
  EXPECT_GT(m.ramMB, 0u);

  // A share needs a tick of the system clock between two samples.
  for (int i = 0; i < 50 && m.cpuYuzde == -7.f; ++i) {
    platform::uyu(20);
    ASSERT_TRUE(t.topla(m));
  }
  EXPECT_GE(m.cpuYuzde, 0.f);
  EXPECT_LE(m.cpuYuzde, 100.f);
  EXPECT_EQ(m.ekDeger, 1.5f);
  EXPECT_EQ(m.ekSayi, 99u);
  // No graphics-adapter interface here: the field is never written.
  EXPECT_EQ(m.gpuBellekMB, 12345u);
}

TEST(MetrikToplayici, MemoryInMebibytesDiskInGibibytes) {
  MetrikToplayici t;
  MakineMetrik m;
  ASSERT_TRUE(t.topla(m));
  uint64_t toplam = 0, kullanilabilir = 0, bos = 0;
  ASSERT_TRUE(platform::fizikselBellek(toplam, kullanilabilir));
  ASSERT_TRUE(platform::programDiskiBosAlan(bos));
  // The machine moves on between the two readings; the units must not.
  const int64_t ramFark = static_cast<int64_t>(m.ramMB) -
                          static_cast<int64_t>((toplam - kullanilabilir) >> 20);
  EXPECT_LT(ramFark < 0 ? -ramFark : ramFark, 512);
  const int64_t diskFark = static_cast<int64_t>(m.diskBosGB) - static_cast<int64_t>(bos >> 30);
  EXPECT_LE(diskFark < 0 ? -diskFark : diskFark, 1);
}

}  // namespace
}  // namespace vadu
