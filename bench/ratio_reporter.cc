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
    if (!nanosecondsPerCall_.contains(name)) order_.push_back(name);
    const double nanoseconds =
        run.real_accumulated_time * 1e9 / static_cast<double>(run.iterations);
    nanosecondsPerCall_[name] = nanoseconds;
    // A benchmark that has a baseline itself is also a baseline under its short name.
    const size_t marker = name.find(kBaselineMarker);
    if (marker != std::string::npos) nanosecondsPerCall_[name.substr(0, marker)] = nanoseconds;
  }
}

void RatioReporter::Finalize() {
  ConsoleReporter::Finalize();
  for (const std::string& name : order_) {
    const size_t marker = name.find(kBaselineMarker);
    if (marker == std::string::npos) continue;
    const std::string baseline = name.substr(marker + sizeof kBaselineMarker - 1);
    const auto found = nanosecondsPerCall_.find(baseline);
    if (found == nanosecondsPerCall_.end() || found->second <= 0) continue;
    std::printf("ratio %-50s %8.2f  (%.1f ns against %.1f ns)\n", name.c_str(),
                nanosecondsPerCall_[name] / found->second, nanosecondsPerCall_[name],
                found->second);
  }
}

}  // namespace quibo_bench
