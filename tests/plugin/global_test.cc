// Quibo_SetGlobal and Quibo_GetGlobal: values kept for every file, and die-on-close values that
// go when their file closes.
#include <gmock/gmock.h>

#include "fm/objects.h"
#include "plugin_session.h"

namespace quibo_test {
namespace {

class GlobalValues : public PluginTest {
 protected:
  // Each test starts a day after the last: the clock of a host never goes back, and the cleaner
  // of an earlier test may still be scheduled.
  void SetUp() override {
    static double start = 63'900'000'000.0;
    start += 86400.0;
    standin::HostClock::freezeAt(start);
  }
  void TearDown() override {
    evaluate("Quibo_SetGlobal( \"\" ; 1 )");
    evaluate("Quibo_Set( \"globalDieInterval\" ; 60 )");
    standin::Session::instance().closeAll();
    advanceAndIdle(3600);
    standin::HostClock::reset();
  }
  static void advanceAndIdle(double seconds) {
    standin::HostClock::advance(seconds);
    plugin().idle(FM_IDLE_USER_IDLE);
  }
  static void open(const std::u16string& name) {
    standin::Session::instance().openFile(name, ":memory:");
    standin::Session::instance().useFile(name);
  }
};

TEST_F(GlobalValues, KeepEveryTypeWithItsStyles) {
  EXPECT_EQ(evaluated("Quibo_SetGlobal( \"styled\" ; \"a\" & TextStyleAdd( \"b\" ; Bold ) )"),
            "ab");
  fm::Data value;
  ASSERT_EQ(standin::Session::instance().evaluate(u"Quibo_GetGlobal( \"styled\" )", *value.get()),
            0);
  const FM_Text* text = fm::asText(value);
  fm::CharacterStyle first, second, plain;
  fm::checked([&](FM_ErrorRecord* e) { FM_Text_GetStyle(text, first, 0, e); });
  fm::checked([&](FM_ErrorRecord* e) { FM_Text_GetStyle(text, second, 1, e); });
  EXPECT_EQ(fm::checked([&](FM_ErrorRecord* e) { return FM_CharacterStyle_operatorEQ(first, plain, e); }), 1);
  EXPECT_EQ(fm::checked([&](FM_ErrorRecord* e) { return FM_CharacterStyle_operatorEQ(second, plain, e); }), 0);

  for (const auto& [value, type] : std::vector<std::pair<std::string, std::string>>{
           {"12.5", "Number"}, {"True", "Number"}, {"Date( 1 ; 2 ; 2026 )", "Date"},
           {"Time( 1 ; 2 ; 3 )", "Time"}, {"Get( CurrentTimestamp )", "Timestamp"}}) {
    evaluated("Quibo_SetGlobal( \"k\" ; " + value + " )");
    EXPECT_EQ(evaluated("Quibo_ValueType( Quibo_GetGlobal( \"k\" ) )"), type) << value;
    EXPECT_EQ(evaluated("Quibo_GetGlobal( \"k\" ) = " + value), "1") << value;
  }
}

TEST_F(GlobalValues, KeysAreExact) {
  evaluated("Quibo_SetGlobal( \"a\" ; 1 )");
  evaluated("Quibo_SetGlobal( \"A\" ; 2 )");
  evaluated("Quibo_SetGlobal( \"a \" ; 3 )");
  EXPECT_EQ(evaluated("Quibo_GetGlobal( \"a\" ) & Quibo_GetGlobal( \"A\" ) & Quibo_GetGlobal( \"a \" )"),
            "123");
  EXPECT_EQ(evaluated("Quibo_GetGlobal( \"b\" )"), "");
}

TEST_F(GlobalValues, RemoveWithEmptyTextAndClearWithAnEmptyKey) {
  evaluated("Quibo_SetGlobal( \"a\" ; 1 )");
  evaluated("Quibo_SetGlobal( \"b\" ; 2 )");
  EXPECT_EQ(evaluated("Quibo_SetGlobal( \"a\" ; \"\" )"), "");
  EXPECT_EQ(evaluated("Quibo_GetGlobal( \"a\" ) & Quibo_GetGlobal( \"b\" )"), "2");
  EXPECT_EQ(evaluated("Quibo_SetGlobal( \"\" ; \"anything\" )"), "");
  EXPECT_EQ(evaluated("Quibo_GetGlobal( \"b\" )"), "");
  EXPECT_EQ(evaluated("Quibo_Get( \"lastError\" )"), "0");
}

TEST_F(GlobalValues, CheckTheirParameters) {
  EXPECT_EQ(evaluate("Quibo_SetGlobal( \"a\" )").code, -50);
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "Key and value must be specified");
  EXPECT_EQ(evaluate("Quibo_GetGlobal").code, -50);
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "Key must be specified");
  EXPECT_EQ(evaluate("Quibo_SetGlobal( \"a\" ; 1 ; \" dieonclose\" )").code, -50);
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "Unknown value of parameter moreOptions");
  EXPECT_EQ(evaluated("Quibo_GetGlobal( \"a\" )"), "");  // nothing changed
  EXPECT_EQ(evaluated("Quibo_SetGlobal( \"a\" ; 1 ; \"DieOnClose\" )"), "1");
}

TEST_F(GlobalValues, DieWithTheFileThatStoredThem) {
  open(u"Sales");
  evaluated("Quibo_SetGlobal( \"temp\" ; 42 ; \"dieonclose\" )");
  open(u"Sales 2");
  evaluated("Quibo_SetGlobal( \"temp\" ; 43 ; \"dieonclose\" )");  // still bound to Sales
  evaluated("Quibo_SetGlobal( \"kept\" ; 1 ; \"dieonclose\" )");
  evaluated("Quibo_SetGlobal( \"kept\" ; 2 )");  // stored again without the option: permanent
  standin::Session::instance().closeFile(u"Sales");
  EXPECT_EQ(evaluated("Quibo_GetGlobal( \"temp\" )"), "43");  // until the cleaner's next run
  advanceAndIdle(60);  // "Sales 2" is open, and that is not "Sales"
  EXPECT_EQ(evaluated("Quibo_GetGlobal( \"temp\" )"), "");
  standin::Session::instance().closeFile(u"Sales 2");
  advanceAndIdle(120);
  EXPECT_EQ(evaluated("Quibo_GetGlobal( \"kept\" )"), "2");
}

TEST_F(GlobalValues, FollowTheDieIntervalOfTheirCleaner) {
  evaluated("Quibo_Set( \"globalDieInterval\" ; 5 )");
  open(u"Brief");
  evaluated("Quibo_SetGlobal( \"temp\" ; 1 ; \"dieonclose\" )");
  standin::Session::instance().closeFile(u"Brief");
  advanceAndIdle(5);
  EXPECT_EQ(evaluated("Quibo_GetGlobal( \"temp\" )"), "");
}

TEST_F(GlobalValues, RunTheCleanerOnceWithoutAnInterval) {
  evaluated("Quibo_Set( \"globalDieInterval\" ; 0 )");
  open(u"Brief");
  evaluated("Quibo_SetGlobal( \"early\" ; 1 ; \"dieonclose\" )");
  plugin().idle();  // the cleaner's one run: the file is still open
  standin::Session::instance().closeFile(u"Brief");
  advanceAndIdle(3600);
  EXPECT_EQ(evaluated("Quibo_GetGlobal( \"early\" )"), "1");  // no cleaner runs any more
}

}  // namespace
}  // namespace quibo_test
