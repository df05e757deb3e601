// Quibo_MergeText of a 1 MB template with 100,000 placeholders over 100 distinct expressions,
// and of a template twice that size: the time must grow with the template, and each distinct
// expression be evaluated once per call.
#include <benchmark/benchmark.h>

#include <string>

#include "fm/objects.h"
#include "loaded_plugin.h"
#include "standin/control.h"

namespace {

constexpr int kPlaceholders = 100'000;
constexpr int kDistinctExpressions = 100;

// Pieces of ten units: a literal and a placeholder, "ab <<7*2>>" or "ab <<42*2>>" and so on,
// padded so that the template has a million units per 100,000 placeholders.
std::u16string makeTemplate(int placeholders) {
  std::u16string text;
  text.reserve(static_cast<size_t>(placeholders) * 10);
  for (int index = 0; index < placeholders; ++index) {
    const int expression = index % kDistinctExpressions;
    std::u16string piece = u"<<" + std::u16string(1, u'0' + expression / 10) +
                           std::u16string(1, u'0' + expression % 10) + u"*2>>";
    text += std::u16string(10 - piece.size(), u'.') + piece;
  }
  return text;
}

void MergeText(benchmark::State& state, int placeholders) {
  FM_ExternalFunction merge = quibo_bench::LoadedPlugin::instance().handler(u"Quibo_MergeText");
  const std::u16string templateText = makeTemplate(placeholders);
  const fm::DataVect parameters = quibo_bench::textParameters({templateText});
  quibo_bench::CurrentEnvironment environment;
  fm::Data result;
  int64_t evaluations = 0;
  for (auto _ : state) {
    const int64_t before = standin::evaluationCount();
    benchmark::DoNotOptimize(merge(7, environment, parameters, result));
    evaluations = standin::evaluationCount() - before;
  }
  if (evaluations != kDistinctExpressions) state.SkipWithError("not one evaluation per expression");
  state.counters["evaluations"] = static_cast<double>(evaluations);
  state.counters["units"] = static_cast<double>(templateText.size());
}

void registerMergeBenchmarks() {
  benchmark::RegisterBenchmark("MergeText", MergeText, kPlaceholders)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("MergeTextTwiceTheTemplate/vs:MergeText", MergeText,
                               2 * kPlaceholders)
      ->Unit(benchmark::kMillisecond);
}

const bool registered = (registerMergeBenchmarks(), true);

}  // namespace
