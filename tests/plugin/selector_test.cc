// Quibo_Version, Quibo_Get and Quibo_Set, and the last-error state they read, through the host.
#include <gmock/gmock.h>

#include "plugin_session.h"
#include "test_environment.h"

namespace quibo_test {
namespace {

class Selectors : public PluginTest {};

TEST_F(Selectors, LastErrorStartsEmpty) {
  EXPECT_EQ(evaluated("Quibo_Get( \"lastError\" )"), "0");
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "No Error Message");
}

TEST_F(Selectors, VersionInEachForm) {
  EXPECT_EQ(evaluated("Quibo_Version"), "1.2");
  EXPECT_EQ(evaluated("Quibo_Version( \"short\" )"), "1.2");
  EXPECT_EQ(evaluated("Quibo_Version( \"nonsense\" )"), "1.2");
  EXPECT_EQ(evaluated("Quibo_Version( \"LONG\" )"), "Halvik Quibo Plug-In 1.2");
  EXPECT_EQ(evaluated("Quibo_Version( \"AutoUpdate\" )"), "01020001");
  EXPECT_EQ(evaluated("Quibo_Version( \"platform\" )"), platformName());
  // Only whole keywords match.
  EXPECT_EQ(evaluated("Quibo_Version( \"lon\" )"), "1.2");
}

TEST_F(Selectors, GetWithoutSelectorFailsWithMinus50) {
  const Answer answer = evaluate("Quibo_Get");
  EXPECT_EQ(answer.code, -50);
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "Not enough parameters");
  EXPECT_EQ(evaluated("Quibo_Get( \"LASTERROR\" )"), "-50");
  EXPECT_EQ(evaluate("Quibo_Get( \"lastError\" )").type, FM_TYPE_NUMBER);
}

TEST_F(Selectors, UnknownSelectorFailsAndIsRemembered) {
  EXPECT_EQ(evaluate("Quibo_Get( \"colour\" )").code, -50);
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "Unrecognized selector");
  EXPECT_EQ(evaluate("Quibo_Set( \"colour\" ; 1 )").code, -50);
  // A success elsewhere leaves the last error as it was.
  EXPECT_EQ(evaluated("Quibo_ValueType( 1 )"), "Number");
  EXPECT_EQ(evaluated("Quibo_Get( \"lastError\" )"), "-50");
}

TEST_F(Selectors, SortIsNumericAndEndsEveryLineWithAReturn) {
  EXPECT_EQ(evaluated("Quibo_Get( \"sort\" ; \"3¶10¶2\" )"), "2\r3\r10\r");
  EXPECT_EQ(evaluated("Quibo_Get( \"sort\" ; \"0.1234567\" )"), "0.123457\r");
  EXPECT_EQ(evaluated("Quibo_Get( \"sort\" ; \"2.50\" )"), "2.5\r");
  EXPECT_EQ(evaluated("Quibo_Get( \"sort\" ; \"-1e3¶ 7¶x¶¶4\" )"), "-1000\r4\r7\r");
  // Only carriage returns separate lines: "1", line feed, "2" is one line.
  EXPECT_EQ(evaluated("Quibo_Get( \"sort\" ; \"1\" & Char( 10 ) & \"2\" )"), "1\r");
  EXPECT_EQ(evaluated("Quibo_Get( \"sort\" )"), "");
}

TEST_F(Selectors, TimestampIsLocalNowWithMilliseconds) {
  standin::HostClock::reset();
  const Answer first = evaluate("Quibo_Get( \"timestamp\" )");
  EXPECT_EQ(first.code, 0);
  EXPECT_EQ(first.type, FM_TYPE_TIMESTAMP);
  const Answer host = evaluate("GetAsNumber( Get( CurrentTimestamp ) )");
  const double plugin = std::stod(evaluated("GetAsNumber( Quibo_Get( \"timestamp\" ) )"));
  EXPECT_NEAR(plugin, std::stod(host.text), 2.0);
}

TEST_F(Selectors, StandardErrorIsNotAvailableYet) {
  EXPECT_EQ(evaluate("Quibo_Get( \"stderr\" )").code, -4);
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"),
            "Only Bash and PHP scripts support stderr.");
}

TEST_F(Selectors, SetAnswersTheNewValueAsGiven) {
  const Answer answer = evaluate("Quibo_Set( \"globalDieInterval\" ; 120 )");
  EXPECT_EQ(answer.code, 0);
  EXPECT_EQ(answer.text, "120");
  EXPECT_EQ(answer.type, FM_TYPE_NUMBER);
  EXPECT_EQ(evaluate("Quibo_Set( \"GLOBALDIEINTERVAL\" ; \"90\" ; \"ignored\" )").type,
            FM_TYPE_TEXT);
}

}  // namespace
}  // namespace quibo_test
