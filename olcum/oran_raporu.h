// A console reporter that also keeps each benchmark's real time per
// iteration, so that a benchmark's main can print ratios between them: the
// median where runs are repeated, else the one run.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace vadu::olcum {

class OranRaporu : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) {
      if (r.error_occurred) continue;
      const bool ortanca = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
      if (ortanca || (r.run_type == Run::RT_Iteration && r.repetitions <= 1)) {
        sureler_[r.run_name.str()] = r.GetAdjustedRealTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // The time per iteration of the benchmark named `ad`, in the unit it was
  // reported in; 0 when it did not run or failed.
  double sure(const std::string& ad) const {
    const auto s = sureler_.find(ad);
    return s != sureler_.end() ? s->second : 0;
  }

 private:
  std::map<std::string, double> sureler_;
};

}  // namespace vadu::olcum
