// Quibo_RegExp_PatternCount and Quibo_RegExp_Substitute over a text of ten million units, each
// against node's RegExp doing the same over the same text in the same run: a literal, a class
// with a quantifier, an alternation of words, and a substitution of two groups. The byte rate
// counts one byte per unit of text.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "fm/objects.h"
#include "loaded_plugin.h"
#include "platform/processes.h"

namespace {

constexpr size_t kTextUnits = 10'000'000;
constexpr int kRounds = 10;

// Words, some with digits, and number pairs such as "123-45", from a fixed sequence.
const std::u16string& benchmarkText() {
  static const std::u16string text = [] {
    static const char16_t* const kWords[] = {u"alpha",   u"beta",  u"gamma",  u"delta",
                                             u"epsilon", u"zeta",  u"eta",    u"theta",
                                             u"iota",    u"kappa", u"gamma3", u"lambda"};
    std::u16string answer;
    answer.reserve(kTextUnits + 16);
    uint32_t state = 1;
    auto next = [&] { return (state = state * 1103515245u + 12345u) >> 16; };
    while (answer.size() < kTextUnits) {
      const uint32_t choice = next() % 16;
      if (choice < 12) {
        answer += kWords[choice];
      } else {
        answer += std::u16string(1, u'1' + next() % 9) + u"0" + u"-" +
                  std::u16string(1, u'1' + next() % 9);
      }
      answer += u' ';
    }
    answer.resize(kTextUnits);
    return answer;
  }();
  return text;
}

// The text as UTF-16LE in a temporary file, for node to read.
const platform::TemporaryFile& textFile() {
  static const platform::TemporaryFile file = [] {
    std::string bytes;
    for (char16_t unit : benchmarkText()) {
      bytes += static_cast<char>(unit & 0xFF);
      bytes += static_cast<char>(unit >> 8);
    }
    return platform::TemporaryFile("regexp-bench", ".txt", bytes);
  }();
  return file;
}

std::string narrow(const char16_t* units) {
  std::string answer;
  for (; *units != 0; ++units) answer += static_cast<char>(*units);
  return answer;
}

struct Workload {
  const char* name;
  const char16_t* pattern;
  std::vector<std::u16string> replacements;  // none: a count
};

const Workload kWorkloads[] = {
    {"Literal", u"lambda", {}},
    {"ClassQuantifier", u"[a-e]+", {}},
    {"WordAlternation", u"gamma3|delta5|eps1", {}},
    {"SubstituteGroups", u"(\\d+)-(\\d+)", {u"A", u"B"}},
};

void Node(benchmark::State& state, const Workload& workload) {
  const std::optional<std::string> node =
      platform::findProgram({"/usr/bin/node", "/usr/local/bin/node", "/usr/bin/nodejs"});
  if (!node) {
    state.SkipWithError("node is not installed");
    return;
  }
  const bool count = workload.replacements.empty();
  // Node's replacement of the whole match by "A-B" does what replacing both groups does here.
  const std::string replacement = count ? "" : "A-B";
  const platform::ProgramOutput output = platform::runProgram(
      {*node, QUIBO_REGEXP_NODE_SCRIPT, textFile().path(), narrow(workload.pattern),
       count ? "count" : "replace", replacement, std::to_string(kRounds)});
  std::istringstream lines(output.standardOutput);
  std::vector<double> seconds;
  for (double value; lines >> value;) seconds.push_back(value);
  if (seconds.empty()) {
    state.SkipWithError(("node failed: " + output.standardError).c_str());
    return;
  }
  size_t round = 0;
  for (auto _ : state) state.SetIterationTime(seconds[round++ % seconds.size()]);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kTextUnits));
}

void Plugin(benchmark::State& state, const Workload& workload) {
  const bool count = workload.replacements.empty();
  FM_ExternalFunction function = quibo_bench::LoadedPlugin::instance().handler(
      count ? u"Quibo_RegExp_PatternCount" : u"Quibo_RegExp_Substitute");
  const fm::DataVect parameters =
      count ? quibo_bench::textParameters({benchmarkText(), workload.pattern})
            : quibo_bench::textParameters({benchmarkText(), workload.pattern,
                                           workload.replacements[0], workload.replacements[1]});
  fm::Data result;
  for (auto _ : state) {
    benchmark::DoNotOptimize(function(count ? 14 : 13, nullptr, parameters, result));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kTextUnits));
}

void registerRegExpBenchmarks() {
  for (const Workload& workload : kWorkloads) {
    const std::string baseline = std::string("RegExpNode") + workload.name;
    benchmark::RegisterBenchmark(baseline.c_str(), Node, workload)
        ->Iterations(kRounds)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(
        (std::string("RegExp") + workload.name + "/vs:" + baseline).c_str(), Plugin, workload)
        ->Iterations(kRounds)
        ->Unit(benchmark::kMillisecond);
  }
}

const bool registered = (registerRegExpBenchmarks(), true);

}  // namespace
