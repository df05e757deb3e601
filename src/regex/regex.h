// A compiled regular expression with the semantics of JavaScript's RegExp without flags, over
// UTF-16 code units, and the global walk over a text that counting and substitution share.
// A Regex is immutable; a walk keeps its state on its own.
#ifndef REGEX_REGEX_H_
#define REGEX_REGEX_H_

#include <cstdint>
#include <string_view>

#include "regex/matcher.h"
#include "regex/program.h"

namespace regex {

class Regex {
 public:
  // Throws SyntaxError for an invalid pattern and LimitExceeded for one beyond the bounds.
  explicit Regex(std::u16string_view pattern);

  const Program& program() const { return program_; }
  int32_t groupCount() const { return program_.groupCount; }

 private:
  Program program_;
};

// Calls `visit(const Match&)` for every match of a global walk: each search starts where the
// previous match ended, or one unit further after an empty match, so matches never overlap and
// the walk always ends. Answers the number of matches; throws LimitExceeded.
template <typename Visit>
int64_t forEachMatch(const Regex& regex, std::u16string_view text, Visit&& visit) {
  Matcher matcher(regex.program(), text);
  Match match;
  int64_t count = 0;
  int64_t from = 0;
  const auto length = static_cast<int64_t>(text.size());
  while (from <= length && matcher.search(static_cast<int32_t>(from), match)) {
    ++count;
    visit(static_cast<const Match&>(match));
    from = match.end() == match.start() ? int64_t{match.end()} + 1 : match.end();
  }
  return count;
}

inline int64_t countMatches(const Regex& regex, std::u16string_view text) {
  return forEachMatch(regex, text, [](const Match&) {});
}

}  // namespace regex

#endif  // REGEX_REGEX_H_
