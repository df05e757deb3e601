// Quibo_SetGlobal and Quibo_GetGlobal on a million distinct keys, against the same stores and
// look-ups in a bare ordered map of UTF-16 keys.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

#include "fm/objects.h"
#include "loaded_plugin.h"

namespace {

constexpr int kKeys = 1'000'000;

std::u16string keyText(int index) {
  std::u16string key = u"key ";
  for (char c : std::to_string(index)) key += static_cast<char16_t>(c);
  return key;
}

void BareOrderedMap(benchmark::State& state) {
  std::vector<std::u16string> keys;
  for (int index = 0; index < kKeys; ++index) keys.push_back(keyText(index));
  for (auto _ : state) {
    std::map<std::u16string, double> values;
    for (int index = 0; index < kKeys; ++index) values[keys[index]] = index;
    double sum = 0;
    for (int index = 0; index < kKeys; ++index) sum += values.find(keys[index])->second;
    benchmark::DoNotOptimize(sum);
  }
}

// The parameter vectors are made before the clock runs, as the host makes them before a call.
void SetAndGetGlobals(benchmark::State& state) {
  auto& plugin = quibo_bench::LoadedPlugin::instance();
  FM_ExternalFunction setGlobal = plugin.handler(u"Quibo_SetGlobal");
  FM_ExternalFunction getGlobal = plugin.handler(u"Quibo_GetGlobal");
  std::vector<fm::DataVect> setParameters(kKeys);
  std::vector<fm::DataVect> getParameters(kKeys);
  for (int index = 0; index < kKeys; ++index) {
    const std::u16string key = keyText(index);
    fm::Text keyText;
    keyText.assignUnicode(key.data(), static_cast<uint32_t>(key.size()));
    fm::Data keyData, value;
    fm::setText(keyData, keyText);
    fm::FixPt number;
    number.assign(index);
    fm::setNumber(value, number);
    fm::checked([&](FM_ErrorRecord* e) { FM_DataVect_PushBack(setParameters[index], keyData, e); });
    fm::checked([&](FM_ErrorRecord* e) { FM_DataVect_PushBack(setParameters[index], value, e); });
    fm::checked([&](FM_ErrorRecord* e) { FM_DataVect_PushBack(getParameters[index], keyData, e); });
  }
  fm::DataVect clearParameters;
  {
    fm::Text empty;
    fm::Data emptyKey;
    fm::setText(emptyKey, empty);
    fm::checked([&](FM_ErrorRecord* e) { FM_DataVect_PushBack(clearParameters, emptyKey, e); });
    fm::checked([&](FM_ErrorRecord* e) { FM_DataVect_PushBack(clearParameters, emptyKey, e); });
  }
  quibo_bench::CurrentEnvironment environment;
  fm::Data result;
  for (auto _ : state) {
    for (int index = 0; index < kKeys; ++index) setGlobal(23, environment, setParameters[index], result);
    for (int index = 0; index < kKeys; ++index) getGlobal(24, environment, getParameters[index], result);
    state.PauseTiming();
    setGlobal(23, environment, clearParameters, result);  // a fresh store for the next round
    state.ResumeTiming();
  }
}

void registerGlobalBenchmarks() {
  benchmark::RegisterBenchmark("BareOrderedMap", BareOrderedMap)
      ->Unit(benchmark::kMillisecond)->MinTime(1);
  benchmark::RegisterBenchmark("SetAndGetGlobals/vs:BareOrderedMap", SetAndGetGlobals)
      ->Unit(benchmark::kMillisecond)->MinTime(1);
}

const bool registered = (registerGlobalBenchmarks(), true);

}  // namespace
