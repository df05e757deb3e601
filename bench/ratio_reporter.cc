#include "ratio_reporter.h"

#include <cstdio>

namespace quibo_bench {

namespace {

constexpr char kBaselineMarker[] = "/vs:";
// Suffixes that a benchmark's own settings add to its name.
constexpr const char* kSettingSuffixes[] = {"/min_time:", "/iterations:", "/manual_time",
                                            "/real_time"};

// The name without the suffixes of the benchmark's own settings.
std::string nameOf(const benchmark::BenchmarkReporter::Run& run) {
  std::string name = run.benchmark_name();
  for (const char* suffix : kSettingSuffixes) {
    const size_t found = name.find(suffix);
    if (found != std::string::npos) name.resize(found);
  }
  return name;
}

}  // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
    const std::string name = nameOf(run);
    if (!repetitions_.contains(name)) order_.push_back(name);
    ++repetitions_[name];
    const double nanoseconds =
        run.real_accumulated_time * 1e9 / static_cast<double>(run.iterations);
    record(name, nanoseconds);
    // A benchmark that has a baseline itself is also a baseline under its short name.
    const size_t marker = name.find(kBaselineMarker);
    if (marker != std::string::npos) record(name.substr(0, marker), nanoseconds);
  }
}

void RatioReporter::record(const std::string& name, double nanoseconds) {
  const auto [known, inserted] = fastestNanosecondsPerCall_.emplace(name, nanoseconds);
  if (!inserted && nanoseconds < known->second) known->second = nanoseconds;
}

void RatioReporter::Finalize() {
  ConsoleReporter::Finalize();
  for (const std::string& name : order_) {
    const size_t marker = name.find(kBaselineMarker);
    if (marker == std::string::npos) continue;
    const std::string baseline = name.substr(marker + sizeof kBaselineMarker - 1);
    const auto found = fastestNanosecondsPerCall_.find(baseline);
    if (found == fastestNanosecondsPerCall_.end() || found->second <= 0) continue;
    const double measured = fastestNanosecondsPerCall_[name];
    std::printf("ratio %-50s %8.2f  (%.1f ns against %.1f ns, fastest of %d)\n", name.c_str(),
                measured / found->second, measured, found->second, repetitions_[name]);
  }
}

}  // namespace quibo_bench
