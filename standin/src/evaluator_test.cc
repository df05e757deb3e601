// The host's calculation evaluator: what FileMaker users type, and the error codes they get.
#include <gmock/gmock.h>

#include "objects.h"
#include "session_state.h"
#include "standin/host.h"

namespace standin {
namespace {

struct Result {
  int16_t code;
  std::string text;
  int32_t type;
};

Result run(const std::string& calculation) {
  FM_Data value;
  const int16_t code = Session::instance().evaluate(utf16FromUtf8(calculation), value);
  return {code, utf8FromUtf16(value.asText().units), value.type};
}

std::string text(const std::string& calculation) {
  const Result result = run(calculation);
  EXPECT_EQ(result.code, 0) << calculation;
  return result.text;
}

TEST(Evaluator, ReadsLiteralsWithFileMakersEscapes) {
  EXPECT_EQ(text(R"("say \"hi\" \\ now")"), R"(say "hi" \ now)");
  EXPECT_EQ(text("\"a¶b\""), "a\rb");
  EXPECT_EQ(text("12.50"), "12.5");
  EXPECT_EQ(text("/* note */ 1 // rest"), "1");
  EXPECT_EQ(text(""), "");
}

TEST(Evaluator, ComputesWithDecimalNumbers) {
  EXPECT_EQ(text("0.1 + 0.2"), "0.3");
  EXPECT_EQ(text("2 + 3 * 4 - 1"), "13");
  EXPECT_EQ(text("(2 + 3) * 4"), "20");
  EXPECT_EQ(text("-7 / 2"), "-3.5");
  EXPECT_EQ(text("1 / 3"), "0.3333333333333333");
  EXPECT_EQ(text("2 ^ 10"), "1024");
  EXPECT_EQ(text("1 / 0"), "?");
  EXPECT_EQ(text("\"a\" & 1 + 1"), "a2");
}

TEST(Evaluator, ComparesAndCombinesTruths) {
  EXPECT_EQ(text("1 < 2"), "1");
  EXPECT_EQ(text("2 ≤ 2 and 3 ≥ 4"), "0");
  EXPECT_EQ(text("1 <> 1 or 2 >= 2"), "1");
  EXPECT_EQ(text("1 ≠ 2"), "1");
  EXPECT_EQ(text("\"abc\" = \"ABC\""), "1");
  EXPECT_EQ(text("not 0"), "1");
  EXPECT_EQ(run("True").type, FM_TYPE_BOOLEAN);
  EXPECT_EQ(text("False"), "0");
  EXPECT_EQ(text("10 > 9"), "1");  // numbers, not texts
}

TEST(Evaluator, EvaluatesOnlyTheBranchTaken) {
  EXPECT_EQ(text("If ( 1 ; \"yes\" ; NoSuchField )"), "yes");
  EXPECT_EQ(text("If ( 0 ; \"yes\" )"), "");
  EXPECT_EQ(text("Case ( 0 ; \"a\" ; 1 ; \"b\" ; \"c\" )"), "b");
  EXPECT_EQ(text("Case ( 0 ; \"a\" ; \"default\" )"), "default");
  EXPECT_EQ(text("0 and NoSuchField"), "0");
}

TEST(Evaluator, BindsLetVariables) {
  EXPECT_EQ(text("Let ( x = 2 ; x * x )"), "4");
  EXPECT_EQ(text("Let ( [ a = 1 ; b = a + 1 ] ; a & b )"), "12");
  EXPECT_EQ(text("Let ( a = 1 ; Let ( a = 2 ; a ) & a )"), "21");
}

TEST(Evaluator, RunsTextFunctions) {
  EXPECT_EQ(text("Length ( \"héllo\" )"), "5");
  EXPECT_EQ(text("Upper ( \"straße\" ) & Lower ( \"ÀB\" )"), "STRAßEàb");
  EXPECT_EQ(text("Left ( \"abcdef\" ; 2 ) & Right ( \"abcdef\" ; 2 ) & Middle ( \"abcdef\" ; 3 ; 2 )"),
            "abefcd");
  EXPECT_EQ(text("Position ( \"abcabc\" ; \"C\" ; 1 ; 2 )"), "6");
  EXPECT_EQ(text("Position ( \"abc\" ; \"x\" ; 1 ; 1 )"), "0");
  EXPECT_EQ(text("Char ( 65 ) & Code ( \"a\" )"), "A97");
  EXPECT_EQ(text("List ( \"a\" ; \"\" ; \"b\" )"), "a\rb");
  EXPECT_EQ(text("GetAsNumber ( \"a1b2.5\" )"), "12.5");
  EXPECT_EQ(text("GetAsText ( 5 ) & \"!\""), "5!");
}

TEST(Evaluator, RunsDateAndTimeFunctions) {
  EXPECT_EQ(text("Date ( 12 ; 6 ; 2026 )"), "12/6/2026");
  EXPECT_EQ(text("Date ( 12 ; 31 ; 2026 ) + 1"), "1/1/2027");
  EXPECT_EQ(text("Time ( 9 ; 5 ; 3 )"), "9:05:03");
  EXPECT_EQ(text("Timestamp ( Date ( 2 ; 29 ; 2024 ) ; Time ( 23 ; 59 ; 59 ) )"),
            "2/29/2024 23:59:59");
  EXPECT_EQ(text("GetAsNumber ( Date ( 1 ; 1 ; 1 ) )"), "1");
  EXPECT_EQ(run("Get ( CurrentTimestamp )").type, FM_TYPE_TIMESTAMP);
}

TEST(Evaluator, FollowsTheHostClock) {
  HostClock::freezeAt(63'900'000'000.0);
  const std::string before = text("Get ( CurrentTimestamp )");
  HostClock::advance(3600);
  const std::string after = text("Get ( CurrentTimestamp )");
  HostClock::reset();
  EXPECT_EQ(before, "11/29/2025 8:00:00");
  EXPECT_EQ(after, "11/29/2025 9:00:00");
}

TEST(Evaluator, AddsTextStylesThatTextKeeps) {
  FM_Data value;
  ASSERT_EQ(Session::instance().evaluate(u"\"a\" & TextStyleAdd ( \"b\" ; Bold + Italic )", value),
            0);
  EXPECT_EQ(value.text.units, u"ab");
  EXPECT_EQ(value.text.styleAt(0).face, kFacePlain);
  EXPECT_EQ(value.text.styleAt(1).face, kFaceBold | kFaceItalic);
  ASSERT_EQ(Session::instance().evaluate(u"TextStyleAdd ( TextStyleAdd ( \"b\" ; Bold ) ; Plain )",
                                         value),
            0);
  EXPECT_TRUE(value.text.runs.empty());
}

TEST(Evaluator, AnswersFileMakersErrorCodes) {
  EXPECT_EQ(run("1 +").code, 1203);
  EXPECT_EQ(run("\"open").code, 1206);
  EXPECT_EQ(run("(1 + 2").code, 1207);
  EXPECT_EQ(run("1 + 2)").code, 1207);
  EXPECT_EQ(run("1 2").code, 1208);
  EXPECT_EQ(run("NoSuchFunction ( 1 )").code, 1208);
  EXPECT_EQ(run("Left ( \"a\" )").code, 1201);
  EXPECT_EQ(run("Length ( \"a\" ; 2 )").code, 1202);
  EXPECT_EQ(run("Get ( Nonsense )").code, 1215);
  EXPECT_EQ(run("* 2").code, 1204);
  EXPECT_EQ(run("NoSuchField").code, 102);
  EXPECT_EQ(run("Nowhere::Field").code, 106);
  EXPECT_EQ(run("ScriptNames ( \"No File\" )").code, 100);
}

TEST(Evaluator, RefusesNestingTooDeepForTheStack) {
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "(";
  deep += "1";
  for (int i = 0; i < 5000; ++i) deep += ")";
  EXPECT_EQ(run(deep).code, 1200);
  std::string longSum = "1";
  for (int i = 0; i < 20000; ++i) longSum += " + 1";
  EXPECT_EQ(text(longSum), "20001");
}

TEST(Evaluator, ReadsFieldsOfTheCurrentRecord) {
  Session& session = Session::instance();
  session.openFile(u"People", ":memory:");
  session.useFile(u"People");
  sqlite3* database = findFile(u"People")->database;
  ASSERT_EQ(sqlite3_exec(database,
                         "CREATE TABLE Person (Name TEXT, Age INTEGER);"
                         "INSERT INTO Person VALUES ('Ada', 36), ('Alan', 41);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  EXPECT_EQ(text("Person::Name & \" \" & Age"), "Ada 36");
  EXPECT_EQ(run("Age").type, FM_TYPE_NUMBER);
  EXPECT_EQ(run("Person::Height").code, 102);
  EXPECT_EQ(text("Get ( FileName ) & \"|\" & DatabaseNames"), "People|People");
  session.closeAll();
}

}  // namespace
}  // namespace standin
