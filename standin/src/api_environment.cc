// The host API's expression-environment calls: evaluation, SQL and the registry of external
// functions.
#include <algorithm>

#include "host_call.h"
#include "objects.h"
#include "session_state.h"

using namespace standin;

namespace {

// FileMaker's "calculation failed" and its answer to a second registration of one function.
constexpr int16_t kCalculationFailed = 1200;
constexpr int16_t kAlreadyRegistered = 1210;

std::string pluginIdOf(const FM_QuadChar& id) { return std::string(id.characters, 4); }

// An injected failure of a call that answers a code answers that code too.
int16_t injectedAnswer() { return static_cast<int16_t>(injectedCode()); }

}  // namespace

extern "C" {

FM_ExprEnv* FM_ExprEnv_Constructor1(FM_ErrorRecord* error) {
  return constructObject<FM_ExprEnv>("ExprEnv", error);
}

void FM_ExprEnv_Delete(FM_ExprEnv* environment, FM_ErrorRecord* error) {
  deleteObject("ExprEnv", environment, error);
}

int16_t FM_ExprEnv_Evaluate(const FM_ExprEnv* environment, const FM_Text* expression,
                            FM_Data* result, FM_ErrorRecord* error) {
  if (!beginHostCall(error)) return injectedAnswer();
  countEvaluation();
  // An environment nobody pointed at the host's context has nothing to evaluate in.
  if (environment == nullptr || environment->session == nullptr) return kCalculationFailed;
  return guarded<int16_t>(error, kCalculationFailed, [&] {
    FM_Data value;
    const int16_t code = evaluateCalculation(expression->units, *environment, value);
    if (code == 0) *result = value;
    return code;
  });
}

int16_t FM_ExprEnv_ExecuteFileSQL(const FM_ExprEnv* environment, const FM_Text* statement,
                                  const FM_Text* fileName, const FM_DataVect* parameters,
                                  FM_RowVect* result, FM_ErrorRecord* error) {
  if (!beginHostCall(error)) return injectedAnswer();
  if (environment == nullptr || environment->session == nullptr) return kCalculationFailed;
  return guarded<int16_t>(error, kCalculationFailed, [&] {
    FM_ExprEnv target = *environment;
    if (fileName != nullptr && !fileName->units.empty()) target.fileName = fileName->units;
    return executeSql(statement->units, target, parameters, *result);
  });
}

int16_t FM_ExprEnv_RegisterExternalFunction(const FM_QuadChar* pluginId, int16_t functionId,
                                            const FM_Text* name, const FM_Text* prototype,
                                            int16_t minimumArgs, int16_t maximumArgs,
                                            uint32_t flags, FM_ExternalFunction handler,
                                            FM_ErrorRecord* error) {
  if (!beginHostCall(error)) return injectedAnswer();
  return guarded<int16_t>(error, kCalculationFailed, [&]() -> int16_t {
    auto& functions = sessionState().functions;
    const std::string plugin = pluginIdOf(*pluginId);
    for (const RegisteredFunction& function : functions) {
      if (function.pluginId == plugin && function.id == functionId) return kAlreadyRegistered;
    }
    functions.push_back(RegisteredFunction{plugin, functionId, name->units, prototype->units,
                                           minimumArgs, maximumArgs, flags, handler});
    return 0;
  });
}

int16_t FM_ExprEnv_UnRegisterExternalFunction(const FM_QuadChar* pluginId, int16_t functionId,
                                              FM_ErrorRecord* error) {
  if (!beginHostCall(error)) return injectedAnswer();
  return guarded<int16_t>(error, kCalculationFailed, [&]() -> int16_t {
    auto& functions = sessionState().functions;
    const std::string plugin = pluginIdOf(*pluginId);
    const auto found = std::find_if(functions.begin(), functions.end(), [&](const auto& f) {
      return f.pluginId == plugin && f.id == functionId;
    });
    if (found == functions.end()) return kCalculationFailed;
    functions.erase(found);
    return 0;
  });
}

}  // extern "C"
