// Which parts of a text a group-wise substitution replaces. For each match of the walk, groups
// 1 up to the number of replacements are replaced in order; a group that took no part, or that
// begins before the text already passed (inside or across a group replaced before), is left
// alone. Everything outside replaced groups is kept, so the caller copies the text from the
// copy position up to each replaced group and, at the end, from the final copy position on.
#ifndef REGEX_SUBSTITUTION_H_
#define REGEX_SUBSTITUTION_H_

#include <algorithm>
#include <cstdint>

#include "regex/regex.h"

namespace regex {

struct GroupReplacement {
  int32_t copyFrom;  // the text [copyFrom, groupStart) comes before the replacement
  int32_t groupStart;
  int32_t groupEnd;
  int32_t group;       // 1 for the first replacement string
  int32_t matchStart;  // where the whole match begins
};

// Calls `replace(const GroupReplacement&)` for every group to replace, in text order, and
// answers the copy position after the last one. Throws LimitExceeded.
template <typename Replace>
int32_t forEachGroupReplacement(const Regex& regex, std::u16string_view text,
                                int64_t replacementCount, Replace&& replace) {
  const int32_t groups =
      static_cast<int32_t>(std::min<int64_t>(replacementCount, regex.groupCount()));
  int32_t copy = 0;
  forEachMatch(regex, text, [&](const Match& match) {
    for (int32_t group = 1; group <= groups; ++group) {
      if (!match.participated(group) || match.start(group) < copy) continue;
      replace(GroupReplacement{copy, match.start(group), match.end(group), group, match.start()});
      copy = match.end(group);
    }
  });
  return copy;
}

}  // namespace regex

#endif  // REGEX_SUBSTITUTION_H_
