// The matcher against answers JavaScript gives for the same pattern and text (node was the
// reference for every row): the first match and its groups, and the global count.
#include "regex/regex.h"

#include <gtest/gtest.h>

#include <string>

#include "regex/errors.h"

namespace regex {
namespace {

// The first match from position 0 as "start-end" per group, "-" for an unset group, joined by
// spaces; "none" without a match.
std::string firstMatch(const std::u16string& pattern, const std::u16string& text) {
  Regex regex(pattern);
  Matcher matcher(regex.program(), text);
  Match match;
  if (!matcher.search(0, match)) return "none";
  std::string answer;
  for (int32_t group = 0; group <= match.groupCount(); ++group) {
    if (group > 0) answer += ' ';
    answer += match.participated(group)
                  ? std::to_string(match.start(group)) + "-" + std::to_string(match.end(group))
                  : "-";
  }
  return answer;
}

struct MatchCase {
  const char16_t* pattern;
  const char16_t* text;
  const char* expected;
};

const MatchCase kMatchCases[] = {
    {u"a|ab", u"abc", "0-1"},
    {u"(a|ab)(c|bcd)(d*)", u"abcd", "0-4 0-1 1-4 4-4"},
    {u"a[a-z]{2,4}", u"abcdefghi", "0-5"},
    {u"a[a-z]{2,4}?", u"abcdefghi", "0-3"},
    {u"(aa|aabaac|ba|b|c)*", u"aabaac", "0-4 2-4"},
    {u"(z)((a+)?(b+)?(c))*", u"zaacbbbcac", "0-10 0-1 8-10 8-9 - 9-10"},
    {u"(a*)*", u"b", "0-0 -"},
    {u"(a*)b\\1+", u"baaaac", "0-1 0-0"},
    {u"(?=(a+))", u"baaabac", "1-1 1-4"},
    {u"(?=(a+))a*b\\1", u"baaabac", "3-6 3-4"},
    {u"(.*?)a(?!(a+)b\\2c)\\2(.*)", u"baaabaac", "0-8 0-2 - 3-8"},
    {u"\\bfoo\\b", u"a foo b", "2-5"},
    {u"\\Boo", u"foo", "1-3"},
    {u"^a$", u"a", "0-1"},
    {u"x*", u"abc", "0-0"},
    {u"(a)|b", u"b", "0-1 -"},
    {u"\\1(a)", u"aa", "0-1 0-1"},
    {u"(a\\1)", u"aa", "0-1 0-1"},
    {u"[^]", u"\n", "0-1"},
    {u"[]", u"a", "none"},
    {u".", u"\n\r\u2028\u2029x", "4-5"},
    {u"\\s+", u"a \t\u00a0\ufeff\u3000b", "1-6"},
    {u"\\w\\W\\d\\D", u"a-1x", "0-4"},
    {u"[\\d-z]+", u"1-z", "0-3"},
    {u"\\x41\\u0042\\cC\\0*", u"AB\u0003", "0-3"},
    {u"\\c1", u"\\c1", "0-3"},
    {u"[\\c1]", u"\u0011", "0-1"},
    {u"\\8\\k", u"8k", "0-2"},
    {u"\\101", u"A", "0-1"},
    {u"(a)\\2", u"a\u0002", "0-2 0-1"},
    {u"a{,2}", u"a{,2}", "0-5"},
    {u"x{2", u"x{2", "0-3"},
    {u"]}", u"]}", "0-2"},
    {u"(?:a|b)*?c", u"abc", "0-3"},
    {u"(a|b)*c", u"abac", "0-4 2-3"},
    {u"(?=a)*a", u"a", "0-1"},
    {u"(?!a)+b", u"b", "0-1"},
    {u"(a?)*?b", u"ab", "0-2 0-1"},
    {u"(?:(a)|b)+", u"ab", "0-2 -"},
    {u"[a-c]+?d", u"abcd", "0-4"},
    {u"[\\b]", u"\b", "0-1"},
    {u"\\u{3}", u"uuuu", "0-3"},
};

TEST(Regex, FirstMatchAndGroupsAgreeWithJavaScript) {
  for (const MatchCase& row : kMatchCases) {
    EXPECT_EQ(firstMatch(row.pattern, row.text), row.expected)
        << std::u16string(row.pattern).size() << " units in " << row.expected;
  }
}

TEST(Regex, RejectsWhatJavaScriptRejects) {
  for (const char16_t* pattern :
       {u"(", u"a)", u"*a", u"a**", u"a{2}{3}", u"a{2,1}", u"[b-a]", u"\\", u"[a", u"(?<n>a)",
        u"(?<=a)", u"^*", u"\\b+", u"{1}", u"a|*", u"(?x)"}) {
    EXPECT_THROW(Regex{pattern}, SyntaxError) << std::u16string(pattern).size();
  }
}

TEST(Regex, RefusesNestingBeyondItsLimit) {
  std::u16string deep(1000, u'(');
  deep += std::u16string(1000, u')');
  EXPECT_THROW(Regex{deep}, LimitExceeded);
}

TEST(Regex, GlobalWalkCountsEmptyMatchesOnceAndMovesOn) {
  struct Row {
    const char16_t* pattern;
    const char16_t* text;
    int64_t count;
  };
  for (const Row& row : {Row{u"aa", u"aaaa", 2}, Row{u"A", u"aaaa", 0}, Row{u"()", u"abc", 4},
                         Row{u"x*", u"axxb", 4}, Row{u"\\b", u"ab cd", 4}, Row{u"", u"", 1},
                         Row{u"a*?", u"aa", 3}, Row{u"^", u"aaa", 1}, Row{u"$", u"ab", 1}}) {
    EXPECT_EQ(countMatches(Regex(row.pattern), row.text), row.count)
        << std::u16string(row.pattern).size();
  }
}

TEST(Regex, CatastrophicBacktrackingEndsWithTheBound) {
  std::u16string text(30, u'a');
  text += u"!xb";
  EXPECT_THROW(countMatches(Regex(u"(a*)*!?b"), text), LimitExceeded);
  // A required unit that the text lacks answers at once.
  EXPECT_EQ(countMatches(Regex(u"(a*)*b"), std::u16string(100'000, u'a')), 0);
}

TEST(Regex, DeepBacktrackingStopsAtTheStackCeiling) {
  std::u16string text(3'000'000, u'a');
  EXPECT_THROW(countMatches(Regex(u"(a|b)*c"), text + u"c"), LimitExceeded);
}

}  // namespace
}  // namespace regex
