// Quibo_MergeText: placeholders, the stray-delimiter rules, the cache and styles.
#include <gmock/gmock.h>

#include "fm/objects.h"
#include "plugin_session.h"
#include "standin/control.h"

namespace quibo_test {
namespace {

class MergeText : public PluginTest {
 protected:
  static std::string merged(const std::string& templateCalculation) {
    return evaluated("Quibo_MergeText( " + templateCalculation + " )");
  }
};

TEST_F(MergeText, ReplacesPlaceholdersByTheirValues) {
  EXPECT_EQ(merged("\"no placeholders at all\""), "no placeholders at all");
  EXPECT_EQ(merged("\"<<1+1>> and <<Upper ( \\\"x\\\" )>>!\""), "2 and X!");
  EXPECT_EQ(merged("\"file <<Get ( FileName )>>\""), "file Untitled");
  EXPECT_EQ(merged("\"\""), "");
}

TEST_F(MergeText, CopiesAFailingExpressionAsItsText) {
  EXPECT_EQ(merged("\"a <<1 +>> b <<NoSuchField>> c\""), "a 1 + b NoSuchField c");
}

TEST_F(MergeText, StopsAtAnUnclosedPlaceholder) {
  EXPECT_EQ(merged("\"<<1>> then <<2 and the rest\""), "1 then <<2 and the rest");
}

TEST_F(MergeText, LeavesPlaceholdersAfterAStrayClosingDelimiterAlone) {
  EXPECT_EQ(merged("\"<<1>> a >> b <<2>> c <<3>>\""), "1 a >> b <<2>> c <<3>>");
}

TEST_F(MergeText, TakesNestedOpeningDelimitersIntoTheExpression) {
  EXPECT_EQ(merged("\"x <<1 <<2>> y\""), "x 1 <<2 y");
}

TEST_F(MergeText, EvaluatesEachDistinctExpressionOnceAndFailingOnesEveryTime) {
  const int64_t before = standin::evaluationCount();
  merged("\"<<Quibo_GetTimestamp>>|<<Quibo_GetTimestamp>>|<<2*2>>|<<2*2>>|<<bad(>>|<<bad(>>\"");
  EXPECT_EQ(standin::evaluationCount() - before, 2 + 2);
  // One call: the clock read once, shown twice.
  const std::string twice = merged("\"<<Quibo_GetTimestamp>>|<<Quibo_GetTimestamp>>\"");
  const size_t bar = twice.find('|');
  EXPECT_EQ(twice.substr(0, bar), twice.substr(bar + 1));
  // Keys are exact characters: letter case makes another expression.
  const int64_t again = standin::evaluationCount();
  merged("\"<<Lower ( \\\"A\\\" )>><<lower ( \\\"A\\\" )>>\"");
  EXPECT_EQ(standin::evaluationCount() - again, 2);
}

TEST_F(MergeText, KeepsTheStylesOfTheTemplateAndOfTheValues) {
  fm::Data result;
  ASSERT_EQ(standin::Session::instance().evaluate(
                u"Quibo_MergeText ( TextStyleAdd ( \"bold \" ; Bold ) & "
                u"\"<<TextStyleAdd ( \\\"it\\\" ; Italic )>> plain\" )",
                *result.get()),
            0);
  const FM_Text* text = fm::asText(result);
  EXPECT_EQ(utf8(fm::units(text)), "bold it plain");
  fm::CharacterStyle style;
  auto faceAt = [&](uint32_t position) {
    fm::checked([&](FM_ErrorRecord* e) { FM_Text_GetStyle(text, style, position, e); });
    fm::CharacterStyle plain;
    return fm::checked(
        [&](FM_ErrorRecord* e) { return FM_CharacterStyle_operatorEQ(style, plain, e); });
  };
  EXPECT_EQ(faceAt(0), 0);   // bold
  EXPECT_EQ(faceAt(5), 0);   // italic
  EXPECT_EQ(faceAt(8), 1);   // plain
}

TEST_F(MergeText, WantsItsParameter) {
  const Answer answer = evaluate("Quibo_MergeText( )");
  EXPECT_EQ(answer.code, 1201);  // the host enforces the minimum
}

}  // namespace
}  // namespace quibo_test
