// A console reporter that also prints, after the run, each benchmark's time as a ratio of the
// baseline it names: a benchmark "X/vs:B" is compared with the benchmark "B" (or "B/vs:…").
//
// Run with repetitions (make bench interleaves them at random), each side counts with its
// fastest repetition: on a shared virtual machine the same work takes up to half as long again
// when a neighbour is busy, and such noise only ever adds time.
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
  void record(const std::string& name, double nanoseconds);

  std::map<std::string, double> fastestNanosecondsPerCall_;
  std::map<std::string, int> repetitions_;
  std::vector<std::string> order_;
};

}  // namespace quibo_bench

#endif  // QUIBO_BENCH_RATIO_REPORTER_H_
