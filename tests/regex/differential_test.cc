// The matcher against JavaScript's RegExp in node: generated patterns over the whole grammar
// (and some random strings of its metacharacters, to compare what each accepts) on generated
// texts, the count of the global walk and the group-wise substitution compared case by case.
//
// QUIBO_REGEX_CASES (default 3000) and QUIBO_REGEX_SEED (default 1) choose the cases, so that a
// long run before a release is the same test with a larger number.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/processes.h"
#include "regex/errors.h"
#include "regex/regex.h"
#include "regex/substitution.h"

namespace {

struct Case {
  std::u16string pattern;
  std::u16string text;
  std::vector<std::u16string> replacements;
};

class CaseGenerator {
 public:
  explicit CaseGenerator(uint32_t seed) : random_(seed) {}

  Case next() {
    Case answer;
    groups_ = 0;
    answer.pattern = chance(10) ? garbage() : disjunction(0);
    answer.text = text();
    const int replacements = pick(0, 3);
    for (int index = 1; index <= replacements; ++index) {
      std::u16string replacement = u"<";
      replacement.push_back(static_cast<char16_t>(u'0' + index));
      replacement.push_back(u'>');
      answer.replacements.push_back(std::move(replacement));
    }
    return answer;
  }

 private:
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool chance(int percent) { return pick(1, 100) <= percent; }
  template <typename T, size_t N>
  const T& oneOf(const T (&items)[N]) {
    return items[pick(0, N - 1)];
  }

  std::u16string disjunction(int depth) {
    std::u16string answer = alternative(depth);
    while (chance(20)) answer.append(u"|").append(alternative(depth));
    return answer;
  }

  std::u16string alternative(int depth) {
    std::u16string answer;
    const int terms = pick(0, 4);
    for (int index = 0; index < terms; ++index) answer += term(depth);
    return answer;
  }

  std::u16string term(int depth) {
    static const char16_t* const kAnchors[] = {u"^", u"$", u"\\b", u"\\B"};
    static const char16_t* const kEscapes[] = {
        u"\\d",     u"\\D",  u"\\w", u"\\W", u"\\s", u"\\S", u"\\n",   u"\\t", u"\\x61",
        u"\\u0062", u"\\cJ", u"\\0", u"\\-", u"\\.", u"\\*", u"\\141", u"\\8", u"\\c"};
    const int kind = pick(1, 100);
    if (kind <= 7) return oneOf(kAnchors);
    std::u16string atom;
    if (kind <= 40) {
      atom = literal();
    } else if (kind <= 45) {
      atom = u".";
    } else if (kind <= 57) {
      atom = oneOf(kEscapes);
    } else if (kind <= 70) {
      atom = characterClass();
    } else if (kind <= 75) {
      atom = u"\\" + std::u16string(1, static_cast<char16_t>(u'0' + pick(1, 3)));
    } else if (depth >= 3) {
      atom = literal();
    } else if (kind <= 88) {
      ++groups_;
      atom = u"(" + disjunction(depth + 1) + u")";
    } else if (kind <= 93) {
      atom = u"(?:" + disjunction(depth + 1) + u")";
    } else {
      atom = (chance(50) ? u"(?=" : u"(?!") + disjunction(depth + 1) + u")";
    }
    if (chance(35)) atom += quantifier();
    return atom;
  }

  std::u16string literal() {
    static const char16_t kUnits[] = u"aaabbbcc -_1\n\u00e9\u2028";
    return std::u16string(1, kUnits[pick(0, std::char_traits<char16_t>::length(kUnits) - 1)]);
  }

  std::u16string characterClass() {
    static const char16_t* const kItems[] = {u"a",   u"b",   u"c",   u"a-c", u"\\d", u"\\w",
                                             u"\\s", u"\\b", u"\\-", u"-",   u"\\W", u"1-9",
                                             u"\\S", u"_",   u" ",   u"\\cJ"};
    std::u16string answer = chance(25) ? u"[^" : u"[";
    const int items = pick(0, 3);
    for (int index = 0; index < items; ++index) answer += oneOf(kItems);
    return answer + u"]";
  }

  std::u16string quantifier() {
    static const char16_t* const kSimple[] = {u"*", u"+", u"?"};
    std::u16string answer;
    const int low = pick(0, 3);
    switch (pick(0, 3)) {
      case 0:
        answer = u"{" + number(low) + u"}";
        break;
      case 1:
        answer = u"{" + number(low) + u",}";
        break;
      case 2:
        answer = u"{" + number(low) + u"," + number(low + pick(0, 2)) + u"}";
        break;
      default:
        answer = oneOf(kSimple);
        break;
    }
    if (chance(30)) answer += u"?";
    return answer;
  }

  static std::u16string number(int value) {
    return std::u16string(1, static_cast<char16_t>(u'0' + value));
  }

  std::u16string garbage() {
    static const char16_t kUnits[] = u"ab()[]{}|*+?^$\\.-,0123cdxuk=!:";
    std::u16string answer;
    const int length = pick(1, 10);
    for (int index = 0; index < length; ++index) {
      answer += kUnits[pick(0, std::char_traits<char16_t>::length(kUnits) - 1)];
    }
    return answer;
  }

  std::u16string text() {
    static const char16_t kUnits[] = u"aaaabbbbcccab -_1\n\u00e9";
    std::u16string answer;
    const int length = pick(0, 20);
    for (int index = 0; index < length; ++index) {
      answer += kUnits[pick(0, std::char_traits<char16_t>::length(kUnits) - 1)];
    }
    return answer;
  }

  std::mt19937 random_;
  int groups_ = 0;
};

std::string hex(const std::u16string& units) {
  std::string answer;
  char digits[5];
  for (char16_t unit : units) {
    std::snprintf(digits, sizeof digits, "%04x", static_cast<unsigned>(unit));
    answer += digits;
  }
  return answer;
}

// What this library answers, in the reference's own form.
std::string walk(const Case& oneCase) {
  try {
    const regex::Regex regex(oneCase.pattern);
    const std::u16string& text = oneCase.text;
    std::u16string result;
    const int64_t count = regex::countMatches(regex, text);
    const int32_t copy = regex::forEachGroupReplacement(
        regex, text, static_cast<int64_t>(oneCase.replacements.size()),
        [&](const regex::GroupReplacement& replacement) {
          result.append(text, replacement.copyFrom, replacement.groupStart - replacement.copyFrom);
          result += oneCase.replacements[replacement.group - 1];
        });
    result.append(text, copy);
    return "ok " + std::to_string(count) + " " + hex(result);
  } catch (const regex::SyntaxError&) {
    return "syntax";
  } catch (const regex::LimitExceeded&) {
    return "limit";
  }
}

uint32_t setting(const char* name, uint32_t fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? static_cast<uint32_t>(std::stoul(value)) : fallback;
}

std::string printable(const std::u16string& units) {
  std::string answer;
  for (char16_t unit : units) {
    if (unit >= 0x20 && unit < 0x7F) {
      answer += static_cast<char>(unit);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(unit));
      answer += escaped;
    }
  }
  return answer;
}

TEST(RegexDifferential, AgreesWithJavaScriptOnGeneratedCases) {
  const std::optional<std::string> node =
      platform::findProgram({"/usr/bin/node", "/usr/local/bin/node", "/usr/bin/nodejs"});
  if (!node) GTEST_SKIP() << "node is not installed";
  const uint32_t caseCount = setting("QUIBO_REGEX_CASES", 3000);
  const uint32_t seed = setting("QUIBO_REGEX_SEED", 1);

  CaseGenerator generator(seed);
  std::vector<Case> cases;
  std::string input;
  for (uint32_t index = 0; index < caseCount; ++index) {
    cases.push_back(generator.next());
    const Case& added = cases.back();
    input += hex(added.pattern) + "\t" + hex(added.text) + "\t";
    for (size_t replacement = 0; replacement < added.replacements.size(); ++replacement) {
      if (replacement > 0) input += ',';
      input += hex(added.replacements[replacement]);
    }
    input += "\n";
  }
  platform::TemporaryFile file("regex-cases", ".txt", input);
  const platform::ProgramOutput output = platform::runProgram({*node, JS_WALK_SCRIPT, file.path()});
  ASSERT_EQ(output.standardError, "");

  std::istringstream answers(output.standardOutput);
  std::string expected;
  uint32_t compared = 0, syntaxErrors = 0, limits = 0, disagreements = 0;
  for (const Case& oneCase : cases) {
    ASSERT_TRUE(std::getline(answers, expected)) << "node answered too few cases";
    const std::string actual = walk(oneCase);
    if (expected == "limit" || actual == "limit") {
      ++limits;
      if (std::getenv("QUIBO_REGEX_SHOW_LIMITS") != nullptr) {
        std::printf("limit: /%s/ \"%s\" node %s, here %s\n", printable(oneCase.pattern).c_str(),
                    printable(oneCase.text).c_str(), expected.c_str(), actual.c_str());
      }
      continue;
    }
    ++compared;
    if (expected == "syntax" && actual == "syntax") ++syntaxErrors;
    if (expected == actual) continue;
    ++disagreements;
    ADD_FAILURE() << "pattern /" << printable(oneCase.pattern) << "/ text \""
                  << printable(oneCase.text) << "\" with " << oneCase.replacements.size()
                  << " replacements: node " << expected << ", here " << actual;
    if (disagreements >= 20) break;
  }
  std::printf(
      "[ differential ] seed %u: %u cases compared (%u invalid in both), %u at a limit, "
      "%u disagreements\n",
      seed, compared, syntaxErrors, limits, disagreements);
}

}  // namespace
