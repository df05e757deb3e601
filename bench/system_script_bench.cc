// A trivial Bash system script against starting "/bin/bash -c :" directly.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include "fm/objects.h"
#include "loaded_plugin.h"

extern char** environ;

namespace {

void BashDirectly(benchmark::State& state) {
  const char* arguments[] = {"/bin/bash", "-c", ":", nullptr};
  for (auto _ : state) {
    pid_t child = -1;
    posix_spawn(&child, "/bin/bash", nullptr, nullptr, const_cast<char* const*>(arguments),
                environ);
    int status = 0;
    waitpid(child, &status, 0);
  }
}

void BashSystemScript(benchmark::State& state) {
  FM_ExternalFunction run = quibo_bench::LoadedPlugin::instance().handler(u"Quibo_DoSystemScript");
  const fm::DataVect parameters = quibo_bench::textParameters({u":", u"BASH"});
  fm::Data result;
  for (auto _ : state) benchmark::DoNotOptimize(run(9, nullptr, parameters, result));
}

void registerSystemScriptBenchmarks() {
  benchmark::RegisterBenchmark("BashDirectly", BashDirectly)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BashSystemScript/vs:BashDirectly", BashSystemScript)
      ->Unit(benchmark::kMillisecond);
}

const bool registered = (registerSystemScriptBenchmarks(), true);

}  // namespace
