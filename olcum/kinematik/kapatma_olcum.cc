// The loop-closure solver on the planar four-bar started 0.4 rad away from
// its assembled configuration (time per solve), and the collision sweep of the
// same four-bar driven by a sine law (time per step, one solve each).
#include <benchmark/benchmark.h>

#include <vector>

#include "birim/kinematik/dort_cubuk.h"
#include "kinematik/carpisma.h"
#include "kinematik/mekanizma.h"
#include "olcum/oran_raporu.h"

namespace vadu {
namespace {

constexpr int ADIM = 1000;

using dort::dortCubuk;

void DortCubukKapatma(benchmark::State& state) {
  const Mekanizma baslangic = dortCubuk(-0.6127 + 0.4, 4.1654, 4.5527);
  const std::vector<size_t> surulen{0};
  for (auto _ : state) {
    Mekanizma mek = baslangic;
    double artik = 0.0;
    benchmark::DoNotOptimize(mek.halkalariKapat(surulen, 60, 1e-7, &artik));
    benchmark::DoNotOptimize(artik);
  }
}
BENCHMARK(DortCubukKapatma)->Unit(benchmark::kMicrosecond);

void DortCubukTarama(benchmark::State& state) {
  Mekanizma baslangic = dortCubuk(-0.6127, 4.1654, 4.5527);
  baslangic.yasaEkle(dort::krankSinusu(0.3, 2.0));
  Kutu kol;
  kol.genislet({-0.1, -0.1, -0.1});
  kol.genislet({3.1, 0.1, 0.1});
  const std::vector<Kutu> kutular{kol, kol, kol, kol};
  for (auto _ : state) {
    Mekanizma mek = baslangic;
    benchmark::DoNotOptimize(carpismaTara(mek, kutular, 0.0, 2.0, ADIM, true));
  }
  // Seconds per step.
  state.counters["adim_basina"] = benchmark::Counter(
      ADIM, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(DortCubukTarama)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vadu

int main(int argc, char** argv) { return vadu::olcum::calistir(argc, argv); }
