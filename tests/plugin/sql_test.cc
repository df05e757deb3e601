// Quibo_ExecuteSQL over a file of the stand-in host.
#include <gmock/gmock.h>

#include "plugin_session.h"

namespace quibo_test {
namespace {

class ExecuteSql : public PluginTest {
 protected:
  static void SetUpTestSuite() {
    PluginTest::SetUpTestSuite();
    standin::Session::instance().openFile(u"Shop", ":memory:");
    for (const char* statement :
         {"CREATE TABLE Items (Name TEXT, Price REAL, Stock INTEGER, Added DATE, Seen TIMESTAMP)",
          "INSERT INTO Items VALUES ('Pen', 1.5, 10, '2026-01-31', '2026-12-06 09:30:00')",
          "INSERT INTO Items VALUES ('Ink', 12, 0, '2025-07-04', NULL)"}) {
      ASSERT_EQ(sql(statement).text, "") << statement;
    }
  }
  static void TearDownTestSuite() {
    standin::Session::instance().closeAll();
    PluginTest::TearDownTestSuite();
  }

  static Answer sql(const std::string& statement, const std::string& more = "") {
    std::string quoted;
    for (char c : statement) quoted += c == '"' ? std::string("\\\"") : std::string(1, c);
    return evaluate("Quibo_ExecuteSQL( \"" + quoted + "\"" + more + " )");
  }
};

TEST_F(ExecuteSql, JoinsCellsWithTabsAndRowsWithReturns) {
  EXPECT_EQ(sql("SELECT Name, Price FROM Items ORDER BY Name").text, "Ink\t12\rPen\t1.5");
}

TEST_F(ExecuteSql, TakesTheFirstUnitOfEachSeparator) {
  EXPECT_EQ(sql("SELECT Name, Stock FROM Items ORDER BY Name", " ; \",\" ; \";\"").text,
            "Ink,0;Pen,10");
  EXPECT_EQ(sql("SELECT Name, Stock FROM Items ORDER BY Name", " ; \"::\"").text,
            "Ink:0\rPen:10");
  // An empty separator leaves the default.
  EXPECT_EQ(sql("SELECT Name, Stock FROM Items ORDER BY Name", " ; \"\" ; \"\"").text,
            "Ink\t0\rPen\t10");
}

TEST_F(ExecuteSql, AnswersEveryCellAsFileMakerText) {
  EXPECT_EQ(sql("SELECT Added, Seen, Price * 2, Stock FROM Items ORDER BY Name DESC", " ; \"|\"")
                .text,
            "1/31/2026|12/6/2026 9:30:00|3|10\r7/4/2025||24|0");
  EXPECT_EQ(sql("SELECT \"Name\" FROM \"Items\" WHERE \"Stock\" > 5").text, "Pen");
}

TEST_F(ExecuteSql, AnswersNoRowsWithEmptyTextAndClearsTheLastError) {
  ASSERT_EQ(evaluate("Quibo_Get( \"nonsense\" )").code, -50);
  const Answer none = sql("SELECT Name FROM Items WHERE Stock > 100");
  EXPECT_EQ(none.code, 0);
  EXPECT_EQ(none.text, "");
  EXPECT_EQ(evaluated("Quibo_Get( \"lastError\" )"), "0");
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "No Error Message");
}

TEST_F(ExecuteSql, MakesAnSqlErrorItsResultAndTheLastError) {
  const Answer syntax = sql("SELEC Name FROM Items");
  EXPECT_EQ(syntax.code, 0);  // never an error towards the host
  EXPECT_EQ(syntax.text, "8310");
  EXPECT_EQ(syntax.type, FM_TYPE_NUMBER);
  EXPECT_EQ(evaluated("Quibo_Get( \"lastErrorMessage\" )"), "SQL Error");
  EXPECT_EQ(evaluated("Quibo_Get( \"lastError\" )"), "8310");
  EXPECT_EQ(sql("SELECT Colour FROM Items").text, "8309");
  EXPECT_EQ(sql("SELECT Name FROM Items WHERE Stock = 0").text, "Ink");
  EXPECT_EQ(evaluated("Quibo_Get( \"lastError\" )"), "0");
}

TEST_F(ExecuteSql, NeverBindsPlaceholders) {
  EXPECT_EQ(sql("SELECT COUNT(*) FROM Items WHERE Name = ?").text, "0");
}

}  // namespace
}  // namespace quibo_test
