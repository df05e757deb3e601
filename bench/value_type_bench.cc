// The per-call cost of Quibo_ValueType through the stand-in host, against a handler that does
// nothing: once as the host calls the handler, and once as a calculation that calls it.
#include <benchmark/benchmark.h>

#include <memory>

#include "fm/objects.h"
#include "standin/host.h"

namespace {

int16_t doNothing(int16_t, const FM_ExprEnv*, const FM_DataVect*, FM_Data*) { return 0; }

// The plug-in loaded once for the whole run, with a do-nothing function registered beside it.
class LoadedPlugin {
 public:
  static LoadedPlugin& instance() {
    static LoadedPlugin loaded;
    return loaded;
  }
  FM_ExternalFunction valueType() const { return valueType_; }

 private:
  LoadedPlugin() : host_(QUIBO_PLUGIN_PATH) {
    if (host_.initialise() != FM_INIT_OK) throw standin::HostError("the plug-in did not start");
    for (const auto& function : standin::Session::instance().registeredFunctions()) {
      if (function.name == u"Quibo_ValueType") valueType_ = function.handler;
    }
    fm::QuadChar id("BNCH");
    fm::Text name("Bench_DoNothing");
    fm::checked([&](FM_ErrorRecord* e) {
      return FM_ExprEnv_RegisterExternalFunction(id, 1, name, name, 1, 1, 0, doNothing, e);
    });
  }
  standin::PluginHost host_;
  FM_ExternalFunction valueType_ = nullptr;
};

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
  callHandler(state, LoadedPlugin::instance().valueType());
}

void evaluate(benchmark::State& state, const std::u16string& calculation) {
  LoadedPlugin::instance();
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
