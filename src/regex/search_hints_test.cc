// The search hints only skip positions where no match can begin: the walk of every pattern over
// long random texts gives the same matches with the hints as without them.
#include "regex/search_hints.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "regex/parser.h"
#include "regex/regex.h"

namespace regex {
namespace {

std::vector<int32_t> allSpans(const Program& program, const std::u16string& text) {
  Matcher matcher(program, text);
  Match match;
  std::vector<int32_t> spans;
  int32_t from = 0;
  while (from <= static_cast<int32_t>(text.size()) && matcher.search(from, match)) {
    spans.insert(spans.end(), match.spans.begin(), match.spans.end());
    from = match.end() == match.start() ? match.end() + 1 : match.end();
  }
  return spans;
}

Program withoutHints(const Program& program) {
  Program plain = program;
  plain.anchoredStart = false;
  plain.pureLiteral = false;
  plain.prefix.clear();
  plain.requiredUnit = -1;
  plain.minLength = 0;
  plain.filters.assign(plain.filters.size(), UnitBuckets());
  for (Instruction& instruction : plain.code) {
    if (instruction.op == Op::kSplit) instruction.c = instruction.d = -1;
  }
  return plain;
}

TEST(SearchHints, SkipNoMatch) {
  const char16_t* const patterns[] = {
      u"gamma3|delta5|eps1",
      u"ab",
      u"[ab]*c",
      u"a{3}b",
      u"(?:ab|a)c",
      u"x?abc",
      u"\\bab",
      u"(a|bc)d{2}",
      u"abc|abd|b",
      u"[a-c]+",
      u"(a*)*b",
      u"ba",
      u"aab",
      u"(?=ab)a",
      u"a.c",
      u"^ab|c$",
      u"(?:a|b)(?:c|d)e",
      u"a\u0161",
      u"(a)\\1b",
      u"m(?!t)e|lt",
  };
  std::mt19937 random(5);
  const std::u16string units = u"abcdgmtle35 \u0161\u0162";
  for (int round = 0; round < 300; ++round) {
    std::u16string text;
    const int length = std::uniform_int_distribution<int>(0, 400)(random);
    for (int index = 0; index < length; ++index) {
      text += units[std::uniform_int_distribution<size_t>(0, units.size() - 1)(random)];
    }
    for (const char16_t* pattern : patterns) {
      const Regex regex(pattern);
      EXPECT_EQ(allSpans(regex.program(), text), allSpans(withoutHints(regex.program()), text))
          << std::u16string(pattern).size() << " units, round " << round;
    }
  }
}

TEST(SearchHints, FirstUnitsAreKnownOnlyForMatchesThatConsume) {
  UnitBuckets units;
  for (const char16_t* pattern : {u"a*", u"(?=a)", u"\\1()", u"a|", u"$"}) {
    EXPECT_FALSE(firstUnits(*parse(pattern).root, units)) << std::u16string(pattern).size();
  }
  ASSERT_TRUE(firstUnits(*parse(u"(?:ab|c)d").root, units));
  EXPECT_TRUE(units.mayContain(u'a'));
  EXPECT_TRUE(units.mayContain(u'c'));
  EXPECT_FALSE(units.mayContain(u'b'));
}

// Found by fuzzing: the hints of a huge repeat of an empty group were computed round by round.
TEST(SearchHints, AHugeRepeatOfNothingCompilesAtOnce) {
  const Regex regex(u"(){2000000000,}.(?:){99999999}");
  EXPECT_EQ(regex.program().minLength, 1);
}

}  // namespace
}  // namespace regex
