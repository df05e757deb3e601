// Every built function against a failing host: for N = 1, 2, ... the Nth host call fails, with
// code 1 and then with code 2, until a run makes no call fail. No run may crash or leak a host
// object, and each failed run must leave the last error 2400 with the host's message; only a call
// that fails by design may instead keep its own error, when the host failed after it was recorded
// (setting the error number as the result, say).
#include <gmock/gmock.h>

#include <algorithm>

#include "desktop_driver.h"
#include "fm/objects.h"
#include "loopback_server.h"
#include "plugin_session.h"
#include "standin/control.h"
#include "test_environment.h"

namespace quibo_test {
namespace {

namespace desktop = quibo_test::desktop;

struct Call {
  const char* name;
  std::vector<std::string> parameters;  // calculations, evaluated before the sweep
  bool failsByDesign = false;
};

const std::vector<Call> kBuiltCalls = {
    {"Quibo_Version", {}},
    {"Quibo_Version", {"\"long\""}},
    {"Quibo_Version", {"\"autoupdate\""}},
    {"Quibo_Get", {"\"lastError\""}},
    {"Quibo_Get", {"\"lastErrorMessage\""}},
    {"Quibo_Get", {"\"timestamp\""}},
    {"Quibo_Get", {"\"sort\"", "\"3¶10¶2\""}},
    {"Quibo_Get", {"\"stderr\""}, true},
    {"Quibo_Get", {"\"nonsense\""}, true},
    {"Quibo_Set", {"\"globalDieInterval\"", "45"}},
    {"Quibo_ValueType", {"Date( 1 ; 2 ; 2003 )"}},
    {"Quibo_GetTimestamp", {}},
    {"Quibo_SetGlobal", {"\"key\"", "\"a\" & TextStyleAdd ( \"b\" ; Bold )"}},
    {"Quibo_SetGlobal", {"\"temp\"", "1", "\"dieonclose\""}},
    {"Quibo_GetGlobal", {"\"key\""}},
    {"Quibo_DoSystemScript", {"\"echo hi; echo err >&2\"", nativeScriptKind(), "\"x\""}},
    {"Quibo_DoSystemScript", {"\"echo\"", foreignScriptKind()}, true},
    {"Quibo_LockWindows", {}, true},
    {"Quibo_UnlockWindows", {"\"all\""}, true},
    {"Quibo_GetSpecialWindows", {}},
    {"Quibo_SetScriptShortcut", {"\"ctrl shift r\"", "\"Report\"", "\"p\"", "\"resume\""}},
    {"Quibo_SetScriptShortcut", {"\"F2\"", "\"Report\""}},
    {"Quibo_SetScriptShortcut", {"\"Ctrl r\"", "\"Report\""}, true},
    {"Quibo_GetDefaultPrinter", {}},
    {"Quibo_GetPrinterNames", {}},
    {"Quibo_SetDefaultPrinter", {"\"Office\""}},
    {"Quibo_SetDefaultPrinter", {}, true},
    {"Quibo_ExecuteSQL", {"\"SELECT 1, 'a' UNION ALL SELECT 2, 'b'\"", "\",\""}},
    {"Quibo_ExecuteSQL", {"\"SELEC\""}, true},
    {"Quibo_MergeText", {"\"a <<1+1>> b <<1+1>> <<bad(>> c\""}},
    {"Quibo_GetIPforName", {"\"localhost\""}},
    {"Quibo_GetClientPublicIPAddress", {}},  // asks the sweep's own IP-echo server
    {"Quibo_GetNameForIP", {"\"127.0.0.1\""}},
    {"Quibo_GetNameForIP", {"\"255.255.255.255\""}, true},
    {"Quibo_DoFileMakerScript", {"\"No Such Script\"", "\"p\"", "10"}, true},
    {"Quibo_RegExp_PatternCount", {"\"aaaa\"", "\"aa\""}},
    {"Quibo_RegExp_PatternCount", {"\"a\"", "\"(\""}, true},
    {"Quibo_RegExp_Substitute", {"\"a1b2\"", "\"([a-z])([0-9])\"", "\"#\"", "\"$\""}},
    {"Quibo_RegExp_Substitute",
     {"TextStyleAdd ( \"a1\" ; Bold ) & \"b2\"", "TextStyleAdd ( \"[a-z]([0-9])\" ; Bold )",
      "TextStyleAdd ( \"#\" ; Italic )"}},
    {"Quibo_RegExp_Substitute", {"\"a\"", "\"[\"", "\"x\""}, true},
};

const standin::RegisteredFunction& registered(const char* name) {
  for (const auto& function : standin::Session::instance().registeredFunctions()) {
    if (utf8(function.name) == name) return function;
  }
  throw std::runtime_error(std::string("not registered: ") + name);
}

struct LastError {
  std::string number;
  std::string message;
};

class FailureSweep : public PluginTest {
 protected:
  // What the call records without any host failure; nothing for a call that succeeds.
  static LastError designedError(const Call& call) {
    if (!call.failsByDesign) return {};
    resetLastError();
    std::string calculation = call.name;
    for (size_t index = 0; index < call.parameters.size(); ++index) {
      calculation += (index > 0 ? " ; " : "( ") + call.parameters[index];
    }
    evaluate(call.parameters.empty() ? calculation : calculation + " )");
    return {evaluated("Quibo_Get( \"lastError\" )"),
            evaluated("Quibo_Get( \"lastErrorMessage\" )")};
  }

  // Empties the global values store and the shortcuts, whose values and scripts hold host
  // objects of their own; the last error stays as it was.
  static void forgetKeptValues() {
    const auto& functions = standin::Session::instance().registeredFunctions();
    for (const auto& function : functions) {
      if (function.name != u"Quibo_SetGlobal" && function.name != u"Quibo_SetScriptShortcut") {
        continue;
      }
      fm::DataVect parameters;
      fm::Data key, value, result;
      fm::Text empty;
      fm::setText(key, empty);
      fm::setText(value, empty);
      fm::checked([&](FM_ErrorRecord* e) { FM_DataVect_PushBack(parameters, key, e); });
      fm::checked([&](FM_ErrorRecord* e) { FM_DataVect_PushBack(parameters, value, e); });
      function.handler(function.id, nullptr, parameters, result);
    }
  }

  // Marks the last error so that a run that records nothing shows.
  static void resetLastError() { EXPECT_EQ(evaluate("Quibo_Get( \"mark\" )").code, -50); }
};

TEST_F(FailureSweep, EveryHostFailureIsCaughtRecordedAndLeaksNothing) {
  // An IP-echo service on the loopback address, answering as the first service row does.
  LoopbackServer echo(LoopbackServer::Behaviour{
      {"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nd\r\n203.0.113.45\n\r\n0\r\n\r\n"}});
  setEnvironment("QUIBO_PUBLIC_IP_SERVICES",
                 echo.address() + "," + echo.address() + "," + echo.address());
  standin::Session::instance().addScript(u"Report", u"1");
  desktop::openWindow(u"Data Viewer");
  desktop::openWindow(u"help");
  int64_t injected = 0;
  for (const Call& call : kBuiltCalls) {
    const standin::RegisteredFunction& function = registered(call.name);
    const LastError designed = designedError(call);
    for (int32_t code : {FM_ERROR_OUT_OF_MEMORY, FM_ERROR_GENERIC}) {
      for (int64_t n = 1;; ++n) {
        SCOPED_TRACE(std::string(call.name) + " call " + std::to_string(n) + " code " +
                     std::to_string(code));
        resetLastError();
        int64_t before = 0;
        {
          fm::DataVect parameters;
          for (const std::string& calculation : call.parameters) {
            fm::Data value;
            ASSERT_EQ(standin::Session::instance().evaluate(utf16(calculation), *value.get()), 0);
            fm::checked([&](FM_ErrorRecord* e) { FM_DataVect_PushBack(parameters, value, e); });
          }
          fm::Data result;
          fm::ExprEnv environment;
          standin::Session::currentEnvironmentCallback()(environment);
          before = standin::liveObjectCount();
          standin::injectFailure(n, code);
          function.handler(function.id, environment, parameters, result);
          const bool fired = standin::injectedFailureFired();
          standin::clearInjectedFailure();
          forgetKeptValues();  // what the store and the shortcuts keep is no leak
          EXPECT_EQ(standin::liveObjectCount(), before) << standin::liveObjects().size();
          if (!fired) break;
          ++injected;
        }
        const std::string number = evaluated("Quibo_Get( \"lastError\" )");
        const std::string message = evaluated("Quibo_Get( \"lastErrorMessage\" )");
        if (number == designed.number && message == designed.message) continue;
        EXPECT_EQ(number, "2400");
        EXPECT_EQ(message, code == FM_ERROR_OUT_OF_MEMORY ? "bad allocation" : "Unknown exception");
        ASSERT_LT(n, 200) << "the function never finished";
      }
    }
  }
  forgetKeptValues();
  EXPECT_EQ(standin::liveObjectCount(), 0);
  std::printf("[ sweep    ] %lld injected host failures\n", static_cast<long long>(injected));
  EXPECT_GT(injected, 100);
  standin::Session::instance().closeAll();
  desktop::reset();
  unsetEnvironment("QUIBO_PUBLIC_IP_SERVICES");
}

TEST_F(FailureSweep, CoversEveryRegisteredFunction) {
  for (const auto& function : standin::Session::instance().registeredFunctions()) {
    const bool swept =
        std::any_of(std::begin(kBuiltCalls), std::end(kBuiltCalls),
                    [&](const Call& call) { return utf16(call.name) == function.name; });
    EXPECT_TRUE(swept) << utf8(function.name);
  }
}

TEST_F(FailureSweep, StickyFailureOfEveryLaterCallIsSurvived) {
  for (const Call& call : kBuiltCalls) {
    const standin::RegisteredFunction& function = registered(call.name);
    fm::DataVect parameters;
    fm::Data result;
    fm::ExprEnv environment;
    standin::Session::currentEnvironmentCallback()(environment);
    standin::injectFailure(1, FM_ERROR_GENERIC, true);
    function.handler(function.id, environment, parameters, result);
    standin::clearInjectedFailure();
  }
  forgetKeptValues();
  EXPECT_EQ(standin::liveObjectCount(), 0);
}

}  // namespace
}  // namespace quibo_test
