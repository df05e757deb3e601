// A console reporter that also prints, after the run, each benchmark's time as a ratio of the
// baseline it names: a benchmark "X/vs:B" is compared with the benchmark "B" (or "B/vs:…").
#ifndef QUIBO_BENCH_RATIO_REPORTER_H_
#define QUIBO_BENCH_RATIO_REPORTER_H_

#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace quibo_bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  std::map<std::string, double> nanosecondsPerCall_;
  std::vector<std::string> order_;
};

}  // namespace quibo_bench

#endif  // QUIBO_BENCH_RATIO_REPORTER_H_
