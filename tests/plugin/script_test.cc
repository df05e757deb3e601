// Quibo_DoFileMakerScript: scripts queued by a calculation and started by idle messages.
#include <gmock/gmock.h>

#include "plugin_session.h"

namespace quibo_test {
namespace {

using ::testing::ElementsAre;

class DoFileMakerScript : public PluginTest {
 protected:
  void SetUp() override {
    standin::HostClock::freezeAt(63'900'000'000.0);
    standin::Session& session = standin::Session::instance();
    session.addScript(u"Report", u"\"report \" & Get ( ScriptParameter )");
    session.addScript(u"Two Words", u"1");
    session.addScript(u"Next", u"2");
  }
  void TearDown() override {
    advanceAndIdle(10 * 86400.0);  // nothing left queued for the next test
    started();
    standin::Session::instance().refuseScriptStarts(0);
    standin::Session::instance().closeAll();
    standin::HostClock::reset();
  }

  static void advanceAndIdle(double seconds) {
    standin::HostClock::advance(seconds);
    plugin().idle(FM_IDLE_USER_IDLE);
  }

  // The scripts started since the last look, as "name(parameter)".
  static std::vector<std::string> started() {
    std::vector<std::string> names;
    standin::Session::instance().runStartedScripts(
        [&](const standin::StartedScript& script, const std::u16string&) {
          names.push_back(utf8(script.scriptName) + "(" + utf8(script.parameter) + ")");
        });
    return names;
  }
};

TEST_F(DoFileMakerScript, StartsAtTheNextIdleMoment) {
  EXPECT_EQ(evaluated("Quibo_DoFileMakerScript( \"report\" )"), "0");
  EXPECT_TRUE(started().empty());  // nothing starts before the host idles
  plugin().idle(FM_IDLE_UNSAFE);
  EXPECT_TRUE(started().empty());
  plugin().idle(FM_IDLE_SCRIPT_RUNNING);
  EXPECT_THAT(started(), ElementsAre("report()"));
}

TEST_F(DoFileMakerScript, ReadsEachParameterForm) {
  EXPECT_EQ(evaluated("Quibo_DoFileMakerScript( \"Report\" ; 10 )"), "0");
  EXPECT_EQ(evaluated("Quibo_DoFileMakerScript( \"Report\" ; \"10\" )"), "0");
  EXPECT_EQ(evaluated("Quibo_DoFileMakerScript( \"Report\" ; \"p\" ; \"20\" )"), "0");
  EXPECT_EQ(evaluated("Quibo_DoFileMakerScript( \"Report\" ; \"q\" ; 30 ; \"ignored\" )"), "0");
  plugin().idle();
  EXPECT_THAT(started(), ElementsAre("Report(10)"));
  advanceAndIdle(10);
  EXPECT_THAT(started(), ElementsAre("Report()"));
  advanceAndIdle(10);
  EXPECT_THAT(started(), ElementsAre("Report(p)"));
  advanceAndIdle(10);
  EXPECT_THAT(started(), ElementsAre("Report(q)"));
}

TEST_F(DoFileMakerScript, StartsAtATimestamp) {
  EXPECT_EQ(evaluated("Quibo_DoFileMakerScript( \"Report\" ; \"t\" ; Get ( CurrentTimestamp ) + 60 )"),
            "0");
  EXPECT_EQ(evaluated("Quibo_DoFileMakerScript( \"Report\" ; Get ( CurrentTimestamp ) - 60 )"), "0");
  plugin().idle();
  EXPECT_THAT(started(), ElementsAre("Report()"));  // the past is due at once
  advanceAndIdle(60);
  EXPECT_THAT(started(), ElementsAre("Report(t)"));
}

TEST_F(DoFileMakerScript, SaysWhenAScriptIsQueuedMoreThanADayAhead) {
  const Answer far = evaluate("Quibo_DoFileMakerScript( \"Report\" ; 90000 )");
  EXPECT_EQ(far.code, -1001);
  EXPECT_EQ(evaluated("Quibo_DoFileMakerScript( \"Report\" ; 86400 )"), "0");
  EXPECT_EQ(evaluate("Quibo_DoFileMakerScript( \"Report\" ; Get ( CurrentTimestamp ) + 86401 )")
                .code,
            -1001);
  advanceAndIdle(86400);
  EXPECT_THAT(started(), ElementsAre("Report()"));
  advanceAndIdle(3600);
  EXPECT_THAT(started(), ElementsAre("Report()", "Report()"));  // queued all the same
}

TEST_F(DoFileMakerScript, MatchesWholeScriptNamesIgnoringCase) {
  EXPECT_EQ(evaluated("Quibo_DoFileMakerScript( \"TWO WORDS\" )"), "0");
  EXPECT_EQ(evaluate("Quibo_DoFileMakerScript( \"Two\" )").code, -50);
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "Invalid script name");
  // Consecutive names pass as one, as whole lines of the list.
  EXPECT_EQ(evaluated("Quibo_DoFileMakerScript( \"Two Words¶Next\" )"), "0");
  plugin().idle();
  EXPECT_EQ(started().size(), 1u);  // the host knows no script of the joined name
}

TEST_F(DoFileMakerScript, RefusesUnusableParameters) {
  EXPECT_EQ(evaluate("Quibo_DoFileMakerScript( \"Report\" ; \"p\" ; Date ( 1 ; 2 ; 2026 ) )").code,
            -50);
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"),
            "Third parameter must be number of timestamp");
  EXPECT_EQ(evaluate("Quibo_DoFileMakerScript( \"Report\" ; \"p\" ; True )").code, -50);
  plugin().idle();
  EXPECT_TRUE(started().empty());  // a failed call queues nothing
}

TEST_F(DoFileMakerScript, MakesARefusedStartTheLastError) {
  standin::Session::instance().refuseScriptStarts(3);
  EXPECT_EQ(evaluated("Quibo_DoFileMakerScript( \"Report\" )"), "0");
  EXPECT_EQ(evaluated("Quibo_DoFileMakerScript( \"Next\" )"), "0");
  plugin().idle();
  EXPECT_EQ(evaluated("Quibo_Get( \"lastError\" )"), "2400");
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "FileMaker script start failed");
  standin::Session::instance().refuseScriptStarts(0);
  plugin().idle();  // the failed entry is gone; the one after it runs now
  EXPECT_THAT(started(), ElementsAre("Next()"));
}

}  // namespace
}  // namespace quibo_test
