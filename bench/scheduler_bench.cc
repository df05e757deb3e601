// An idle tick with nothing due, with 100,000 entries waiting against 10: FileMaker sends idle
// messages many times a second, so a tick must not grow with the queue.
#include <benchmark/benchmark.h>

#include "brevo/script_scheduler.h"
#include "fm/objects.h"

namespace {

class NeverDue : public vesk::Script {
 public:
  NeverDue() : vesk::Script(nullptr) {}
  void runWithErrorOutput(std::shared_ptr<vesk::String>&, std::shared_ptr<vesk::String>&) override {}
};

void IdleTick(benchmark::State& state, int waiting) {
  brevo::ScriptScheduler scheduler;
  fm::FixPt tomorrow;
  tomorrow.assign(86400.0);
  auto script = std::make_shared<NeverDue>();
  for (int index = 0; index < waiting; ++index) scheduler.scheduleAfter(script, tomorrow);
  for (auto _ : state) scheduler.runDue();
  state.counters["waiting"] = waiting;
}

void registerSchedulerBenchmarks() {
  benchmark::RegisterBenchmark("IdleTick", IdleTick, 10);
  benchmark::RegisterBenchmark("IdleTickManyWaiting/vs:IdleTick", IdleTick, 100'000);
}

const bool registered = (registerSchedulerBenchmarks(), true);

}  // namespace
