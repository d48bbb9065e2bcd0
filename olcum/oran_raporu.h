// The reporters and the main that the benchmark programs share.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdarg>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace benchmark {
// Set by benchmark::Initialize. The library has no accessors for these, but
// exports them.
extern std::string FLAGS_benchmark_format;
extern std::string FLAGS_benchmark_out;
extern std::string FLAGS_benchmark_out_format;
}  // namespace benchmark

namespace vadu::olcum {

// Passes every report on to `hedef`, which writes where the library points
// this one. The CSV reporter takes its columns from the counters of the first
// report and stops the program at a later counter it has no column for; so
// for CSV (`sondaHepsi`) the runs are kept and handed over together at the
// end: the columns are then every counter of every run, and a run leaves
// empty the cells of the counters it does not measure.
class Aktarici : public benchmark::BenchmarkReporter {
 public:
  Aktarici(benchmark::BenchmarkReporter* hedef, bool sondaHepsi)
      : hedef_(hedef), sondaHepsi_(sondaHepsi) {}

  bool ReportContext(const Context& baglam) override {
    hedef_->SetOutputStream(&GetOutputStream());
    hedef_->SetErrorStream(&GetErrorStream());
    return hedef_->ReportContext(baglam);
  }

  void ReportRuns(const std::vector<Run>& runs) override {
    if (sondaHepsi_) {
      birikenler_.insert(birikenler_.end(), runs.begin(), runs.end());
    } else {
      hedef_->ReportRuns(runs);
    }
  }

  void Finalize() override {
    if (!birikenler_.empty()) hedef_->ReportRuns(birikenler_);
    hedef_->Finalize();
  }

 private:
  benchmark::BenchmarkReporter* hedef_;
  bool sondaHepsi_;
  std::vector<Run> birikenler_;
};

// A reporter for benchmarks that print comparisons after their runs: it
// passes every report on to the display that the flags choose, and keeps each
// benchmark's real and CPU time per iteration, in the unit it reports: the
// median where runs are repeated, else the one run.
class OranRaporu : public Aktarici {
 public:
  // The library keeps the display it makes.
  OranRaporu()
      : Aktarici(benchmark::CreateDefaultDisplayReporter(),
                 benchmark::FLAGS_benchmark_format == "csv") {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.error_occurred) continue;
      const bool ortanca = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
      if (ortanca || (r.run_type == Run::RT_Iteration && r.repetitions <= 1)) {
        sureler_[r.run_name.str()] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
      }
    }
    Aktarici::ReportRuns(runs);
  }

  // Whether any benchmark ran without failing.
  bool kostu() const { return !sureler_.empty(); }
  // Prints a line of the comparisons: after the console's table on standard
  // output, but beside JSON or CSV on standard error, so that standard output
  // stays one document that a reader of that format takes whole.
  __attribute__((format(printf, 2, 3))) void yaz(const char* bicim, ...) const {
    std::va_list degerler;
    va_start(degerler, bicim);
    std::vfprintf(konsol_ ? stdout : stderr, bicim, degerler);
    va_end(degerler);
  }
  // The real time of `ad` per iteration, or 0 when it did not run or failed.
  double sure(const std::string& ad) const { return bul(ad).first; }
  // The CPU time of `ad` per iteration, or 0 when it did not run or failed.
  double cpuSuresi(const std::string& ad) const { return bul(ad).second; }

 private:
  std::pair<double, double> bul(const std::string& ad) const {
    const auto bulunan = sureler_.find(ad);
    return bulunan != sureler_.end() ? bulunan->second : std::pair<double, double>{0, 0};
  }

  bool konsol_ = benchmark::FLAGS_benchmark_format == "console";
  std::map<std::string, std::pair<double, double>> sureler_;
};

// The whole of a benchmark program's main: runs the benchmarks that the flags
// select through an OranRaporu, then, if any of them ran, hands it to
// `karsilastir`, which prints the comparisons. 1 for flags it does not know,
// else 0.
template <typename Karsilastir>
int calistir(int argc, char** argv, Karsilastir karsilastir) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  OranRaporu rapor;
  // The file of --benchmark_out is left to the library's own reporter, but for
  // CSV that reporter is made here so that it too has its runs at the end.
  std::unique_ptr<benchmark::BenchmarkReporter> csv;
  std::unique_ptr<Aktarici> dosya;
  if (!benchmark::FLAGS_benchmark_out.empty() && benchmark::FLAGS_benchmark_out_format == "csv") {
    // The library marks its CSV reporter for removal; it is still the one
    // that the flag asks for.
    BENCHMARK_DISABLE_DEPRECATED_WARNING
    csv = std::make_unique<benchmark::CSVReporter>();
    BENCHMARK_RESTORE_DEPRECATED_WARNING
    dosya = std::make_unique<Aktarici>(csv.get(), true);
  }
  benchmark::RunSpecifiedBenchmarks(&rapor, dosya.get());
  if (rapor.kostu()) karsilastir(rapor);
  benchmark::Shutdown();
  return 0;
}

// A benchmark program's main with no comparisons to print.
inline int calistir(int argc, char** argv) {
  return calistir(argc, argv, [](const OranRaporu&) {});
}

}  // namespace vadu::olcum
