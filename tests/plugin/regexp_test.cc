// Quibo_RegExp_PatternCount and Quibo_RegExp_Substitute through the host: counts, group-wise
// substitution and its copy rules, styles, errors, and long texts that must neither crash nor
// hang the host.
#include <gmock/gmock.h>

#include "fm/objects.h"
#include "plugin_session.h"
#include "standin/control.h"

namespace quibo_test {
namespace {

using namespace std::string_literals;

class RegExp : public PluginTest {
 protected:
  static std::string count(const std::string& text, const std::string& pattern) {
    return evaluated("Quibo_RegExp_PatternCount( " + text + " ; " + pattern + " )");
  }
  static std::string substituted(const std::string& parameters) {
    return evaluated("Quibo_RegExp_Substitute( " + parameters + " )");
  }
  static std::string lastError() {
    return evaluated("Quibo_Get( \"lastError\" )") + " " +
           evaluated("Quibo_Get( \"lastErrorMessage\" )");
  }

  static const standin::RegisteredFunction& function(const std::u16string& name) {
    for (const auto& registered : standin::Session::instance().registeredFunctions()) {
      if (registered.name == name) return registered;
    }
    throw std::runtime_error("not registered");
  }

  // Calls a function directly with text parameters, as the host would, answering its host code
  // and the result as text.
  static std::pair<int16_t, std::u16string> call(const std::u16string& name,
                                                 const std::vector<std::u16string>& texts) {
    fm::DataVect parameters;
    for (const std::u16string& units : texts) {
      fm::Text text;
      text.assignUnicode(units.data(), static_cast<uint32_t>(units.size()));
      fm::Data value;
      fm::setText(value, text);
      fm::checked([&](FM_ErrorRecord* e) { FM_DataVect_PushBack(parameters, value, e); });
    }
    fm::Data result;
    const standin::RegisteredFunction& called = function(name);
    const int16_t code = called.handler(called.id, nullptr, parameters, result);
    return {code, fm::units(fm::asText(result))};
  }

  static std::u16string repeated(const std::u16string& piece, size_t times) {
    std::u16string answer;
    answer.reserve(piece.size() * times);
    for (size_t index = 0; index < times; ++index) answer += piece;
    return answer;
  }
};

TEST_F(RegExp, CountsMatchesWithoutOverlapsAndWithCase) {
  EXPECT_EQ(count("\"aaaa\"", "\"aa\""), "2");
  EXPECT_EQ(count("\"aaaa\"", "\"A\""), "0");
  EXPECT_EQ(count("\"\"", "\"a\""), "0");
  EXPECT_EQ(count("\"a1 b22 c333\"", "\"[0-9]+\""), "3");
  EXPECT_EQ(count("\"foo.bar\"", "\"\\\\.\""), "1");
  EXPECT_EQ(evaluated("Quibo_RegExp_PatternCount( \"ab\" ; \"b\" ; \"ignored\" )"), "1");
}

// JavaScript's counts: an empty match counts once and the walk moves one unit on.
TEST_F(RegExp, PatternsThatMatchTheEmptyStringEnd) {
  EXPECT_EQ(count("\"abc\"", "\"()\""), "4");
  EXPECT_EQ(count("\"axxb\"", "\"x*\""), "4");
  EXPECT_EQ(count("\"ab cd\"", "\"\\\\b\""), "4");
  EXPECT_EQ(count("\"\"", "\"\""), "1");
  EXPECT_EQ(substituted("\"abc\" ; \"()\" ; \"-\""), "-a-b-c-");
  EXPECT_EQ(substituted("\"axxb\" ; \"(x*)\" ; \"-\""), "-a--b-");
}

TEST_F(RegExp, ReplacesGroupsInOrderAndKeepsEverythingElse) {
  EXPECT_EQ(substituted("\"a1b2\" ; \"([0-9])\" ; \"#\""), "a#b#");
  EXPECT_EQ(substituted("\"a1b2\" ; \"([0-9])\" ; \"$1\""), "a$1b$1");
  EXPECT_EQ(substituted("\"x1-2y\" ; \"([0-9])-([0-9])\" ; \"A\" ; \"B\""), "xA-By");
  // Replacements beyond the groups are not used; groups beyond the replacements stay.
  EXPECT_EQ(substituted("\"x1-2y\" ; \"([0-9])-([0-9])\" ; \"A\""), "xA-2y");
  EXPECT_EQ(substituted("\"x1y\" ; \"([0-9])\" ; \"A\" ; \"B\" ; \"C\""), "xAy");
  // A pattern without groups replaces nothing and keeps the text.
  EXPECT_EQ(substituted("\"a1b2\" ; \"[0-9]\" ; \"#\""), "a1b2");
  EXPECT_EQ(substituted("\"abc\" ; \"(x)\" ; \"#\""), "abc");
}

TEST_F(RegExp, LeavesGroupsThatTookNoPartOrLieInsideAReplacedOne) {
  EXPECT_EQ(substituted("\"ab\" ; \"(a)|(b)\" ; \"1\" ; \"2\""), "12");
  EXPECT_EQ(substituted("\"abc\" ; \"((a)b)c\" ; \"X\" ; \"Y\""), "Xc");
  EXPECT_EQ(substituted("\"abc\" ; \"(a)(x)?(c)?b\" ; \"1\" ; \"2\" ; \"3\""), "1bc");
  // Each iteration clears the groups inside it: after a last round that took b, (a) is unset.
  EXPECT_EQ(substituted("\"aab\" ; \"(?:(a)|b)+\" ; \"#\""), "aab");
  EXPECT_EQ(substituted("\"aba\" ; \"(?:(a)|b)+\" ; \"#\""), "ab#");
}

TEST_F(RegExp, KeepsTheStylesOfTheSourceAndOfTheReplacement) {
  fm::Data result;
  ASSERT_EQ(standin::Session::instance().evaluate(
                u"Quibo_RegExp_Substitute ( TextStyleAdd ( \"ab\" ; Italic ) & \"1 c\" ; "
                u"\"([0-9])\" ; TextStyleAdd ( \"#\" ; Bold ) )",
                *result.get()),
            0);
  const FM_Text* text = fm::asText(result);
  EXPECT_EQ(utf8(fm::units(text)), "ab# c");
  fm::CharacterStyle plain;
  fm::CharacterStyle style;
  auto faceAt = [&](uint32_t position) {
    fm::checked([&](FM_ErrorRecord* e) { FM_Text_GetStyle(text, style, position, e); });
    return fm::checked(
        [&](FM_ErrorRecord* e) { return FM_CharacterStyle_operatorEQ(style, plain, e); });
  };
  EXPECT_EQ(faceAt(0), 0);  // italic source
  EXPECT_EQ(faceAt(2), 0);  // bold replacement
  EXPECT_EQ(faceAt(3), 1);  // plain source
}

TEST_F(RegExp, NoMatchGivesTheSourceWithItsStyles) {
  fm::Data result;
  ASSERT_EQ(standin::Session::instance().evaluate(
                u"Quibo_RegExp_Substitute ( TextStyleAdd ( \"ab\" ; Bold ) & \"c\" ; \"(x)\" ; "
                u"\"#\" )",
                *result.get()),
            0);
  fm::Data expected;
  ASSERT_EQ(standin::Session::instance().evaluate(u"TextStyleAdd ( \"ab\" ; Bold ) & \"c\"",
                                                  *expected.get()),
            0);
  const FM_Text* text = fm::asText(result);
  EXPECT_EQ(utf8(fm::units(text)), "abc");
  fm::CharacterStyle got;
  fm::CharacterStyle want;
  for (uint32_t position = 0; position < 3; ++position) {
    fm::checked([&](FM_ErrorRecord* e) { FM_Text_GetStyle(text, got, position, e); });
    fm::checked(
        [&](FM_ErrorRecord* e) { FM_Text_GetStyle(fm::asText(expected), want, position, e); });
    EXPECT_EQ(
        fm::checked([&](FM_ErrorRecord* e) { return FM_CharacterStyle_operatorEQ(got, want, e); }),
        1)
        << position;
  }
}

TEST_F(RegExp, ABoldPatternReplacesOnlyInTheBoldMatch) {
  EXPECT_EQ(
      substituted("TextStyleAdd ( \"a1\" ; Bold ) & \" b2 \" & TextStyleAdd ( \"c3\" ; Bold ) "
                  "; TextStyleAdd ( \"[a-z]([0-9])\" ; Bold ) ; \"#\""),
      "a# b2 c#");
  // Every attribute must agree: bold italic is not bold.
  EXPECT_EQ(substituted("TextStyleAdd ( \"a1\" ; Bold ) & TextStyleAdd ( TextStyleAdd ( \"b2\" ; "
                        "Bold ) ; Italic ) ; TextStyleAdd ( \"[a-z]([0-9])\" ; Bold ) ; \"#\""),
            "a#b2");
  // A plain pattern replaces whatever the style.
  EXPECT_EQ(substituted("TextStyleAdd ( \"a1\" ; Bold ) & \"b2\" ; \"[a-z]([0-9])\" ; \"#\""),
            "a#b#");
  // An empty match at the very end has no unit and so no style.
  EXPECT_EQ(substituted("TextStyleAdd ( \"ab\" ; Bold ) ; TextStyleAdd ( \"()\" ; Bold ) ; \"-\""),
            "-a-b");
}

TEST_F(RegExp, AnInvalidPatternIsTheRegularExpressionError) {
  for (const char* pattern : {"\"(\"", "\"a)\"", "\"*\"", "\"[b-a]\"", "\"a{2,1}\"", "\"\\\\\""}) {
    const Answer answer =
        evaluate(std::string("Quibo_RegExp_PatternCount( \"abc\" ; ") + pattern + " )");
    EXPECT_EQ(answer.code, 0) << pattern;  // the host sees no error
    EXPECT_EQ(answer.text, "2400") << pattern;
    EXPECT_EQ(lastError(), "2400 regular expression error") << pattern;
  }
  const Answer substitution = evaluate("Quibo_RegExp_Substitute( \"abc\" ; \"(\" ; \"x\" )");
  EXPECT_EQ(substitution.code, 0);
  EXPECT_EQ(substitution.text, "2400");
  EXPECT_EQ(lastError(), "2400 regular expression error");
}

TEST_F(RegExp, WantsItsParameters) {
  EXPECT_EQ(evaluate("Quibo_RegExp_PatternCount( \"a\" )").code, 1201);  // the host's minimum
  EXPECT_EQ(evaluate("Quibo_RegExp_Substitute( \"a\" ; \"b\" )").code, 1201);
  // Called with fewer anyway, each says so itself.
  EXPECT_EQ(call(u"Quibo_RegExp_PatternCount", {u"a"}), std::make_pair(int16_t{0}, u"-50"s));
  EXPECT_EQ(lastError(), "-50 At least two parameters needed");
  EXPECT_EQ(call(u"Quibo_RegExp_Substitute", {u"a", u"b"}), std::make_pair(int16_t{0}, u"-50"s));
  EXPECT_EQ(lastError(), "-50 At least three parameters needed");
}

TEST_F(RegExp, CountsOverTenMillionUnits) {
  // "aabc " two million times: every pattern below has two million matches.
  const std::u16string text = repeated(u"aabc ", 2'000'000);
  for (const char16_t* pattern : {u"[ab]*c", u"[a-c]+", u"ab", u"(a|b)*c", u"b(?=c)"}) {
    EXPECT_EQ(call(u"Quibo_RegExp_PatternCount", {text, pattern}),
              std::make_pair(int16_t{0}, u"2000000"s))
        << std::u16string(pattern).size();
  }
  EXPECT_EQ(call(u"Quibo_RegExp_PatternCount", {repeated(u"ab", 5'000'000), u"ba"}),
            std::make_pair(int16_t{0}, u"4999999"s));
}

TEST_F(RegExp, DeepOrCatastrophicPatternsEndWithTheBoundsError) {
  // JavaScript runs out of stack here; the matcher answers or stops at its ceiling.
  const auto deep =
      call(u"Quibo_RegExp_PatternCount", {repeated(u"ab", 5'000'000) + u"c", u"(a|b)*c"});
  EXPECT_EQ(deep.first, 0);
  if (deep.second != u"1") {
    EXPECT_EQ(deep.second, u"2400");
    EXPECT_EQ(lastError(), "2400 regular expression too complex for this text");
  }
  const auto catastrophic =
      call(u"Quibo_RegExp_PatternCount", {std::u16string(100'000, u'a'), u"(a*)*b"});
  EXPECT_EQ(catastrophic.first, 0);
  EXPECT_THAT(catastrophic.second, ::testing::AnyOf(u"0"s, u"2400"s));
  // Without the missing unit to rule it out, the same pattern must end with the bound.
  const auto failing =
      call(u"Quibo_RegExp_Substitute", {std::u16string(100'000, u'a') + u"!cb", u"(a*)*!?b", u"x"});
  EXPECT_EQ(failing.first, 0);
  EXPECT_EQ(failing.second, u"2400");
  EXPECT_EQ(lastError(), "2400 regular expression too complex for this text");
}

}  // namespace
}  // namespace quibo_test
