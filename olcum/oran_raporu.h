// A reporter for benchmarks that print comparisons after their runs: it
// passes every report on to the display that the flags choose, and keeps each
// benchmark's real and CPU time per iteration, in the unit it reports: the
// median where runs are repeated, else the one run.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vadu::olcum {

class OranRaporu : public benchmark::BenchmarkReporter {
 public:
  // The library keeps the display it makes.
  OranRaporu() : ekran_(benchmark::CreateDefaultDisplayReporter()) {}

  bool ReportContext(const Context& baglam) override { return ekran_->ReportContext(baglam); }

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.error_occurred) continue;
      const bool ortanca = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
      if (ortanca || (r.run_type == Run::RT_Iteration && r.repetitions <= 1)) {
        sureler_[r.run_name.str()] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
      }
    }
    ekran_->ReportRuns(runs);
  }

  void Finalize() override { ekran_->Finalize(); }

  // The real time of `ad` per iteration, or 0 when it did not run or failed.
  double sure(const std::string& ad) const { return bul(ad).first; }
  // The CPU time of `ad` per iteration, or 0 when it did not run or failed.
  double cpuSuresi(const std::string& ad) const { return bul(ad).second; }

 private:
  std::pair<double, double> bul(const std::string& ad) const {
    const auto bulunan = sureler_.find(ad);
    return bulunan != sureler_.end() ? bulunan->second : std::pair<double, double>{0, 0};
  }

  benchmark::BenchmarkReporter* ekran_;
  std::map<std::string, std::pair<double, double>> sureler_;
};

// The whole of a benchmark program's main: runs the benchmarks that the flags
// select through an OranRaporu, then hands it to `karsilastir`, which prints
// the comparisons. 1 for flags it does not know, else 0.
template <typename Karsilastir>
int calistir(int argc, char** argv, Karsilastir karsilastir) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  OranRaporu rapor;
  benchmark::RunSpecifiedBenchmarks(&rapor);
  karsilastir(rapor);
  benchmark::Shutdown();
  return 0;
}

}  // namespace vadu::olcum
