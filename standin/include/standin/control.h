// Control of the stand-in host's object accounting and failure injection, for tests and tools.
//
// The stand-in counts every host object made through a Constructor call until its Delete, by
// kind, and can make a chosen host call fail. Not thread-safe: the host has one thread.
#ifndef STANDIN_CONTROL_H_
#define STANDIN_CONTROL_H_

#include <cstdint>
#include <map>
#include <string>

namespace standin {

// Live objects by kind ("Text", "Data", "DataVect", "RowVect", "FixPt", "DateTime", "ExprEnv",
// "QuadChar", "CharacterStyle"); kinds with none live are left out.
std::map<std::string, int64_t> liveObjects();
int64_t liveObjectCount();

// Makes the `n`th host call from now (1 = the next one) that takes an error record fail with
// `code` (1 out of memory, 2 generic). With `sticky`, that call and every later one fail until
// clearInjectedFailure. A failing call changes nothing and returns an empty answer.
void injectFailure(int64_t n, int32_t code, bool sticky = false);
void clearInjectedFailure();
// True once the injected failure has fired since it was set.
bool injectedFailureFired();
// Host calls taking an error record made since the process started.
int64_t hostCallCount();
// FM_ExprEnv_Evaluate calls made since the process started.
int64_t evaluationCount();

}  // namespace standin

#endif  // STANDIN_CONTROL_H_
