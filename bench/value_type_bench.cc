// The per-call cost of Quibo_ValueType through the stand-in host, against a handler that does
// nothing: once as the host calls the handler, and once as a calculation that calls it.
#include <benchmark/benchmark.h>

#include <memory>

#include "fm/objects.h"
#include "loaded_plugin.h"
#include "standin/host.h"

namespace {

int16_t doNothing(int16_t, const FM_ExprEnv*, const FM_DataVect*, FM_Data*) { return 0; }

// A do-nothing function registered beside the plug-in's, so that a calculation can call it.
void registerDoNothing() {
  static const bool registered = [] {
    fm::QuadChar id("BNCH");
    fm::Text name("Bench_DoNothing");
    return fm::checked([&](FM_ErrorRecord* e) {
      return FM_ExprEnv_RegisterExternalFunction(id, 1, name, name, 1, 1, 0, doNothing, e);
    }) == 0;
  }();
  (void)registered;
}

void callHandler(benchmark::State& state, FM_ExternalFunction handler) {
  fm::DataVect parameters;
  fm::Data value;
  fm::FixPt number;
  number.assign(42);
  fm::setNumber(value, number);
  fm::checked([&](FM_ErrorRecord* e) { FM_DataVect_PushBack(parameters, value, e); });
  fm::Data result;
  benchmark::DoNotOptimize(handler);  // called through the pointer, as the host calls it
  for (auto _ : state) {
    benchmark::DoNotOptimize(handler(21, nullptr, parameters, result));
    benchmark::ClobberMemory();
  }
}

void DoNothingHandler(benchmark::State& state) { callHandler(state, doNothing); }
void ValueTypeHandler(benchmark::State& state) {
  callHandler(state, quibo_bench::LoadedPlugin::instance().handler(u"Quibo_ValueType"));
}

void evaluate(benchmark::State& state, const std::u16string& calculation) {
  quibo_bench::LoadedPlugin::instance();
  registerDoNothing();
  fm::Data result;
  for (auto _ : state) {
    benchmark::DoNotOptimize(standin::Session::instance().evaluate(calculation, *result.get()));
  }
}

void DoNothingCalculation(benchmark::State& state) {
  evaluate(state, u"Bench_DoNothing ( 42 )");
}
void ValueTypeCalculation(benchmark::State& state) {
  evaluate(state, u"Quibo_ValueType ( 42 )");
}

}  // namespace

BENCHMARK(DoNothingHandler);
BENCHMARK(ValueTypeHandler)->Name("ValueTypeHandler/vs:DoNothingHandler");
BENCHMARK(DoNothingCalculation);
BENCHMARK(ValueTypeCalculation)->Name("ValueTypeCalculation/vs:DoNothingCalculation");
