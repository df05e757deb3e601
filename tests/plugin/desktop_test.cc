// The desktop functions through the stand-in host and its desktop: shortcuts that start scripts
// of the current file, the special windows, the Mac-only window locking and the printers.
#include <gmock/gmock.h>

#include "desktop_driver.h"
#include "plugin_session.h"

namespace quibo_test {
namespace {

namespace desktop = quibo_test::desktop;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

using desktop::kControl;
using desktop::kF2;
using desktop::kShift;

class DesktopFunctions : public PluginTest {
 protected:
  void SetUp() override {
    desktop::reset();
    standin::Session& session = standin::Session::instance();
    session.addScript(u"Report", u"\"report \" & Get ( ScriptParameter )");
    session.addScript(u"Resume", u"1");  // a script named like a script control
  }
  void TearDown() override {
    evaluated("Quibo_SetScriptShortcut( \"\" ; \"\" )");
    started();
    standin::Session::instance().refuseScriptStarts(0);
    standin::Session::instance().closeAll();
    desktop::reset();
  }

  // Presses the keys with a FileMaker window in front.
  static void press(const std::vector<uint32_t>& keys) {
    desktop::frontFileMakerWindow();
    desktop::pressCombination(keys);
  }

  // The scripts started since the last look, as "name/control(parameter)".
  static std::vector<std::string> started() {
    std::vector<std::string> names;
    standin::Session::instance().runStartedScripts(
        [&](const standin::StartedScript& script, const std::u16string&) {
          names.push_back(utf8(script.scriptName) + "/" + std::to_string(script.control) + "(" +
                          utf8(script.parameter) + ")");
        });
    return names;
  }

  static void expectError(const std::string& calculation, const std::string& number,
                          const std::string& message) {
    EXPECT_EQ(evaluated(calculation), number) << calculation;
    EXPECT_EQ(evaluated("Quibo_Get( \"lastError\" )"), number) << calculation;
    EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), message) << calculation;
  }

  // Runs `body` with the plug-in initialised for a server host.
  template <typename Body>
  static void asServerHost(Body body) {
    plugin().shutdown();
    ASSERT_EQ(plugin().initialise(standin::HostKind::Server), FM_INIT_OK);
    body();
    plugin().shutdown();
    ASSERT_EQ(plugin().initialise(standin::HostKind::Desktop), FM_INIT_OK);
  }
};

TEST_F(DesktopFunctions, AShortcutStartsItsScriptWithEveryParameterForm) {
  EXPECT_EQ(evaluated("Quibo_SetScriptShortcut( \"ctrl shift r\" ; \"Report\" )"), "0");
  EXPECT_EQ(evaluated("Quibo_SetScriptShortcut( \"F2\" ; \"Report\" ; \"exit\" )"), "0");
  EXPECT_EQ(evaluated("Quibo_SetScriptShortcut( \"F2\" ; \"Report\" ; \"p\" )"), "0");
  EXPECT_EQ(evaluated("Quibo_SetScriptShortcut( \"F2\" ; \"Report\" ; \"q\" ; \"Pause\" )"), "0");
  EXPECT_THAT(started(), IsEmpty());
  press({kControl, kShift, 'R'});
  EXPECT_THAT(started(), ElementsAre("Report/0()"));
  press({kF2});
  EXPECT_THAT(started(), ElementsAre("Report/1()", "Report/0(p)", "Report/3(q)"));
}

TEST_F(DesktopFunctions, AnEmptyScriptNameRemovesTheKeyAndAnEmptyKeyRemovesAll) {
  evaluated("Quibo_SetScriptShortcut( \"F2\" ; \"Report\" ; \"one\" )");
  evaluated("Quibo_SetScriptShortcut( \"F2\" ; \"Report\" ; \"two\" )");
  evaluated("Quibo_SetScriptShortcut( \"ctrl r\" ; \"Report\" )");
  EXPECT_EQ(evaluated("Quibo_SetScriptShortcut( \"F2\" ; \"\" )"), "0");
  press({kF2});
  EXPECT_THAT(started(), IsEmpty());
  press({kControl, 'R'});
  EXPECT_THAT(started(), ElementsAre("Report/0()"));

  const std::optional<size_t> hooks = desktop::hookCount();
  EXPECT_EQ(evaluated("Quibo_SetScriptShortcut( \"\" ; \"Report\" )"), "0");
  if (hooks) {
    EXPECT_EQ(desktop::hookCount(), *hooks - 1);
  }
  press({kControl, 'R'});
  EXPECT_THAT(started(), IsEmpty());
}

TEST_F(DesktopFunctions, ShortcutFailuresChangeNothing) {
  // Fewer than two parameters never get past the host, which knows the function's minimum.
  EXPECT_EQ(evaluate("Quibo_SetScriptShortcut( \"F2\" )").code, 1201);
  expectError("Quibo_SetScriptShortcut( \"F2\" ; \"Report\" ; \"p\" ; \"Later\" )", "-50",
              "No such script control");
  expectError("Quibo_SetScriptShortcut( \"Ctrl r\" ; \"Report\" )", "-50",
              "Unknown key descriptor in shortcut");
  expectError("Quibo_SetScriptShortcut( \"F2\" ; \"Nothing\" )", "-50", "Invalid script name");
  if (desktop::refuseHooks(true)) {
    expectError("Quibo_SetScriptShortcut( \"F2\" ; \"Report\" )", "2400",
                "Cannot listen to keyboard events");
    desktop::refuseHooks(false);
    EXPECT_EQ(desktop::hookCount(), 0u);
  }
  press({kF2});
  EXPECT_THAT(started(), IsEmpty());
}

TEST_F(DesktopFunctions, AScriptThatCannotStartBecomesTheLastError) {
  evaluated("Quibo_SetScriptShortcut( \"F2\" ; \"Report\" )");
  standin::Session::instance().refuseScriptStarts(3);
  press({kF2});
  EXPECT_EQ(evaluated("Quibo_Get( \"lastError\" )"), "2400");
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "FileMaker script start failed");
}

TEST_F(DesktopFunctions, SpecialWindowsInDesktopOrderAndTheirOwnCase) {
  EXPECT_EQ(evaluated("Quibo_GetSpecialWindows"), "");
  desktop::openWindow(u"help");
  desktop::openWindow(u"Help me");  // only whole titles match
  desktop::openWindow(u"Scripts");
  desktop::frontFileMakerWindow();
  desktop::openWindow(u"DATA VIEWER");
  desktop::openWindow(u"");
  const Answer answer = evaluate("Quibo_GetSpecialWindows( \"ignored\" )");
  EXPECT_EQ(answer.code, 0);
  EXPECT_EQ(answer.type, FM_TYPE_TEXT);
  EXPECT_EQ(answer.text, "DATA VIEWER\rScripts\rhelp");
}

TEST_F(DesktopFunctions, ALongTitleIsCutAsTheBufferCutsIt) {
  const std::u16string longHelp = u"Help" + std::u16string(300, u' ');
  desktop::openWindow(longHelp);
  EXPECT_EQ(evaluated("Quibo_GetSpecialWindows"), "");
}

TEST_F(DesktopFunctions, WindowLockingWorksOnlyOnMacOs) {
  expectError("Quibo_LockWindows( \"Data Viewer\" )", "-4",
              "Quibo_LockWindows works only on Mac OS X");
  expectError("Quibo_UnlockWindows", "-4", "Quibo_UnlockWindows works only on Mac OS X");
}

TEST_F(DesktopFunctions, PrintersLeaveTheResultAsTheHostPassedIt) {
  for (const char* calculation :
       {"Quibo_GetDefaultPrinter", "Quibo_GetPrinterNames( 1 )", "Quibo_SetDefaultPrinter( \"\" )",
        "Quibo_SetDefaultPrinter( \"Office\" )"}) {
    const Answer answer = evaluate(calculation);
    EXPECT_EQ(answer.code, 0) << calculation;
    EXPECT_EQ(answer.text, "") << calculation;
  }
  expectError("Quibo_SetDefaultPrinter", "-50", "Printer name is not specified");
}

TEST_F(DesktopFunctions, AServerHostAnswersMinusFourWithoutAnError) {
  desktop::openWindow(u"Help");
  expectError("Quibo_SetScriptShortcut( \"Ctrl r\" ; \"Report\" )", "-50",
              "Unknown key descriptor in shortcut");
  asServerHost([] {
    for (const char* calculation :
         {"Quibo_SetScriptShortcut( \"F2\" ; \"Report\" )", "Quibo_GetSpecialWindows",
          "Quibo_LockWindows", "Quibo_UnlockWindows"}) {
      EXPECT_EQ(evaluated(calculation), "-4") << calculation;
    }
    EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "Unknown key descriptor in shortcut");
    press({kF2});
    EXPECT_THAT(started(), IsEmpty());
  });
}

}  // namespace
}  // namespace quibo_test
