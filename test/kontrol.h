// The self-check harness: every check source and the entry point include this
// header. Its functions are inline so that the registry inside testKayitlari()
// is one object for the whole program, filled by the checks' registrars during
// static initialisation in link order.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace vadu::test {

// The counters of one check.
struct Durum {
  int32_t gecti = 0;
  int32_t kaldi = 0;
};

struct TestKaydi {
  const char* ad;  // the registration literal itself, never copied
  std::function<void(Durum&)> fn;
};

inline std::vector<TestKaydi>& testKayitlari() {
  static std::vector<TestKaydi> kayitlar;
  return kayitlar;
}

struct TestKayitci {
  TestKayitci(const char* ad, std::function<void(Durum&)> fn) {
    testKayitlari().push_back(TestKaydi{ad, std::move(fn)});
  }
};

// Runs every registered check once, in registration order, and prints the
// report. Returns the exit status: 0 when every expression held, else 1.
inline int testleriCalistir() {
  Durum toplam;
  for (const TestKaydi& kayit : testKayitlari()) {
    Durum d;
    kayit.fn(d);
    toplam.gecti += d.gecti;
    toplam.kaldi += d.kaldi;
    std::printf("%s %s (%d kontrol)\n", d.kaldi != 0 ? "[KALDI]" : "[GECTI]", kayit.ad,
                d.gecti + d.kaldi);
    // What is reported stands even when a later check ends the process.
    std::fflush(stdout);
  }
  std::printf("\nToplam: %d gecti, %d kaldi\n", toplam.gecti, toplam.kaldi);
  return toplam.kaldi != 0 ? 1 : 0;
}

// Counts one evaluation in `durum`; a failure prints `metin` and the place.
inline void kontrolSay(Durum& durum, bool tuttu, const char* metin, const char* dosya, int satir) {
  if (tuttu) {
    ++durum.gecti;
  } else {
    ++durum.kaldi;
    std::printf("  BASARISIZ: %s (%s:%d)\n", metin, dosya, satir);
    std::fflush(stdout);
  }
}

}  // namespace vadu::test

// Defines the check `ad`: the function vadu_test_<ad> and its registrar, so
// that the definition order within a source is the run order.
#define VADU_TEST(ad)                                                          \
  void vadu_test_##ad(vadu::test::Durum& vadu_durum);                          \
  static const vadu::test::TestKayitci vadu_kayitci_##ad(#ad, vadu_test_##ad); \
  void vadu_test_##ad([[maybe_unused]] vadu::test::Durum& vadu_durum)

// One check expression. The failure line shows the expression exactly as
// written in the source, escapes unresolved.
#define KONTROL(...)                                                                           \
  ::vadu::test::kontrolSay(vadu_durum, static_cast<bool>(__VA_ARGS__), #__VA_ARGS__, __FILE__, \
                           __LINE__)

// A check expression that may only be evaluated when `onkosul` holds (an index
// inside its list, say); otherwise it counts as failed without being evaluated.
#define KONTROL_EGER(onkosul, ...)                                                                \
  ::vadu::test::kontrolSay(vadu_durum, (onkosul) && static_cast<bool>(__VA_ARGS__), #__VA_ARGS__, \
                           __FILE__, __LINE__)
