// The fallback generator is driven through the platform layer's seam, so its
// output for a given seed is pinned byte for byte.
#include "orkestra/rastgele.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <sys/mman.h>
#endif

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace vadu {
namespace {

namespace pl = platform;

// Installs hooks for one test and removes them again.
class Kancali {
 public:
  explicit Kancali(const pl::RastgeleKancalari& k) : k_(k) { pl::rastgeleKancalariAyarla(&k_); }
  ~Kancali() { pl::rastgeleKancalariAyarla(nullptr); }

 private:
  pl::RastgeleKancalari k_;
};

int sayacOkuma = 0;

pl::RastgeleKancalari sistemBozuk() {
  pl::RastgeleKancalari k;
  // What a failed system call leaves behind must not survive.
  k.sistemRastgele = [](uint8_t* p, uint32_t n) {
    std::memset(p, 0xEE, n);
    return false;
  };
  k.performansSayaci = [] {
    ++sayacOkuma;
    return uint64_t{0x0123456789ABCDEF};
  };
  k.tikSayisi = [] { return uint64_t{0x1111}; };
  return k;
}

TEST(OrkestraRastgele, FallbackSequenceOfAFixedSeed) {
  const Kancali kancali(sistemBozuk());
  // Seed 0x0123456789ABCDEF ^ 0x1111; each byte is bits 33 to 40 of the next
  // state of Knuth's MMIX generator.
  const uint8_t beklenen[8] = {0xA3, 0x78, 0xC7, 0x61, 0xE0, 0xEB, 0x20, 0x78};
  uint8_t p[8] = {};
  orkestraRastgeleDoldur(p, sizeof p);
  EXPECT_EQ(std::vector<uint8_t>(p, p + 8), std::vector<uint8_t>(beklenen, beklenen + 8));

  // The same seed gives the same bytes again; a prefix is the same prefix.
  uint8_t q[3] = {};
  orkestraRastgeleDoldur(q, sizeof q);
  EXPECT_EQ(std::vector<uint8_t>(q, q + 3), std::vector<uint8_t>(beklenen, beklenen + 3));
}

TEST(OrkestraRastgele, SystemSourceFirstAndFallbackUnused) {
  pl::RastgeleKancalari k = sistemBozuk();
  k.sistemRastgele = [](uint8_t* p, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) p[i] = static_cast<uint8_t>(i * 7);
    return true;
  };
  const Kancali kancali(k);
  sayacOkuma = 0;
  uint8_t p[5] = {};
  orkestraRastgeleDoldur(p, sizeof p);
  EXPECT_EQ(std::vector<uint8_t>(p, p + 5), (std::vector<uint8_t>{0, 7, 14, 21, 28}));
  EXPECT_EQ(sayacOkuma, 0);
}

TEST(OrkestraRastgele, EmptyBufferIsNotWritten) {
  uint8_t p[1] = {0x5A};
  orkestraRastgeleDoldur(p, 0);
  EXPECT_EQ(p[0], 0x5A);
  const Kancali kancali(sistemBozuk());
  orkestraRastgeleDoldur(p, 0);
  EXPECT_EQ(p[0], 0x5A);
}

#ifdef __linux__
// The system takes at most 2^32 - 1 bytes per call; a larger buffer must be
// filled whole, not cut to its length modulo 2^32. Only address space is
// reserved here: the recording hook touches no byte.
std::vector<std::pair<size_t, uint32_t>> parcalar;
const uint8_t* taban = nullptr;

TEST(OrkestraRastgele, BufferBeyondFourGibibytesGoesInPieces) {
  const size_t n = size_t{0xFFFFFFFF} + 17;
  void* alan = mmap(nullptr, n, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (alan == MAP_FAILED) GTEST_SKIP() << "no room for 4 GiB of address space";
  taban = static_cast<const uint8_t*>(alan);
  parcalar.clear();
  pl::RastgeleKancalari k;
  k.sistemRastgele = [](uint8_t* p, uint32_t m) {
    parcalar.emplace_back(static_cast<size_t>(p - taban), m);
    return true;
  };
  {
    const Kancali kancali(k);
    orkestraRastgeleDoldur(static_cast<uint8_t*>(alan), n);
  }
  munmap(alan, n);
  const std::vector<std::pair<size_t, uint32_t>> beklenen = {{0, 0xFFFFFFFFu}, {0xFFFFFFFF, 17u}};
  EXPECT_EQ(parcalar, beklenen);
}
#endif  // __linux__

}  // namespace
}  // namespace vadu
