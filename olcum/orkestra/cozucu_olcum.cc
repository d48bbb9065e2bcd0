// The frame stream decoder against the floor of touching the same bytes:
// a stream of frames fed in 4096-byte pieces, as TCP delivers them, beside
// memcpy of the same pieces into one 4096-byte buffer. After the runs the
// program prints how many times memcpy's time the decoder takes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "olcum/oran_raporu.h"
#include "orkestra/cerceve.h"
#include "orkestra/cozucu.h"

namespace {

using vadu::CerceveCozucu;
using vadu::SurecCerceve;

constexpr size_t PARCA = 4096;
constexpr size_t AKIS_BOYU = 1 << 20;

// About 1 MiB of frames with bodies of `govde` bytes, back to back.
const std::string& akis(size_t govde) {
  static std::map<size_t, std::string> akislar;
  std::string& a = akislar[govde];
  if (a.empty()) {
    SurecCerceve c;
    c.tip = vadu::SurecMesajTip::Komut;
    c.korelasyon = 1;
    c.govde.assign(govde, 'g');
    while (a.size() < AKIS_BOYU) {
      ++c.korelasyon;
      a += vadu::surecproto::cerceveSerialize(c);
    }
  }
  return a;
}

void sayaclar(benchmark::State& state, const std::string& a, size_t cerceve) {
  const double tur = static_cast<double>(state.iterations());
  state.counters["cerceve/s"] = benchmark::Counter(tur * static_cast<double>(cerceve),
                                                   benchmark::Counter::kIsRate);
  state.counters["GB/s"] = benchmark::Counter(tur * static_cast<double>(a.size()) / 1e9,
                                              benchmark::Counter::kIsRate);
}

void BM_Cozucu(benchmark::State& state) {
  const size_t govde = static_cast<size_t>(state.range(0));
  const std::string& a = akis(govde);
  size_t cerceve = 0;
  for (auto _ : state) {
    CerceveCozucu cozucu(0x400000);
    cerceve = 0;
    for (size_t yer = 0; yer < a.size(); yer += PARCA) {
      std::vector<SurecCerceve> gelen;  // a fresh list per piece, as a transport keeps
      const bool iyi = cozucu.besle(a.data() + yer, std::min(PARCA, a.size() - yer), gelen);
      benchmark::DoNotOptimize(iyi);
      benchmark::DoNotOptimize(gelen.data());
      cerceve += gelen.size();
    }
  }
  if (cerceve * (28 + govde) != a.size()) state.SkipWithError("akis butun cozulmedi");
  sayaclar(state, a, cerceve);
}

void BM_Memcpy(benchmark::State& state) {
  const size_t govde = static_cast<size_t>(state.range(0));
  const std::string& a = akis(govde);
  static char hedef[PARCA];
  for (auto _ : state) {
    for (size_t yer = 0; yer < a.size(); yer += PARCA) {
      std::memcpy(hedef, a.data() + yer, std::min(PARCA, a.size() - yer));
      benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(hedef);
  }
  sayaclar(state, a, a.size() / (28 + govde));
}

BENCHMARK(BM_Cozucu)->Arg(0)->Arg(64)->Arg(4096);
BENCHMARK(BM_Memcpy)->Arg(0)->Arg(64)->Arg(4096);

}  // namespace

int main(int argc, char** argv) {
  return vadu::olcum::calistir(argc, argv, [](const vadu::olcum::OranRaporu& rapor) {
    rapor.yaz("\n");
    for (const char* govde : {"0", "64", "4096"}) {
      const double c = rapor.sure(std::string("BM_Cozucu/") + govde);
      const double m = rapor.sure(std::string("BM_Memcpy/") + govde);
      if (c > 0 && m > 0) {
        rapor.yaz("govde %4s bayt: cozucu memcpy'nin %.1f kati\n", govde, c / m);
      }
    }
  });
}
