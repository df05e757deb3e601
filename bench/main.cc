#include <benchmark/benchmark.h>
#include <malloc.h>

#include "ratio_reporter.h"

int main(int argc, char** argv) {
  // Memory freed by one iteration stays with the process for the next, as it does in a host that
  // runs for days. Otherwise every iteration of the large benchmarks faults its pages in afresh,
  // and on a virtual machine that cost swings by half from run to run, for baselines and
  // measured functions alike.
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  quibo_bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
