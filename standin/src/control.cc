// Object accounting and failure injection of the stand-in host.
#include "standin/control.h"

#include "host_call.h"

namespace standin {

namespace {

struct Accounting {
  // Kinds stay listed at a count of 0: every object made and deleted would otherwise insert and
  // erase its kind again.
  std::map<std::string, int64_t, std::less<>> live;
  int64_t evaluations = 0;
  int32_t code = 0;
  bool sticky = false;
  bool fired = false;
};

// At namespace scope rather than in a function, as every host call reads it: no guard to check.
Accounting state;

Accounting& accounting() { return state; }

}  // namespace

HostCallState hostCalls;

bool beginCallWithInjection(FM_ErrorRecord* error) {
  Accounting& state = accounting();
  if (hostCalls.countdown > 0 && --hostCalls.countdown == 0) {
    state.fired = true;
    hostCalls.firing = state.sticky;
    setErrorCode(error, state.code);
    return false;
  }
  if (hostCalls.firing) {
    setErrorCode(error, state.code);
    return false;
  }
  return true;
}

void countEvaluation() { ++accounting().evaluations; }

int64_t evaluationCount() { return accounting().evaluations; }

int32_t injectedCode() { return accounting().code; }

void countObject(const char* kind, int delta) {
  auto& live = accounting().live;
  auto found = live.find(std::string_view(kind));
  if (found == live.end()) found = live.emplace(kind, 0).first;
  found->second += delta;
}

std::map<std::string, int64_t> liveObjects() {
  std::map<std::string, int64_t> listed;
  for (const auto& [kind, count] : accounting().live) {
    if (count != 0) listed.emplace(kind, count);
  }
  return listed;
}

int64_t liveObjectCount() {
  int64_t total = 0;
  for (const auto& [kind, count] : accounting().live) total += count;
  return total;
}

void injectFailure(int64_t n, int32_t code, bool sticky) {
  Accounting& state = accounting();
  hostCalls.countdown = n > 0 ? n : 0;
  state.code = code;
  state.sticky = sticky;
  hostCalls.firing = false;
  state.fired = false;
}

void clearInjectedFailure() { injectFailure(0, 0, false); }

bool injectedFailureFired() { return accounting().fired; }

int64_t hostCallCount() { return hostCalls.calls; }

}  // namespace standin
