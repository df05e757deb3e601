// The parse tree of a pattern. Its depth is bounded by the parser, so code that walks it
// recursively stays within a small, fixed stack.
#ifndef REGEX_AST_H_
#define REGEX_AST_H_

#include <cstdint>
#include <memory>
#include <vector>

#include "regex/char_class.h"

namespace regex {

constexpr int32_t kUnbounded = INT32_MAX;

enum class NodeKind {
  kEmpty,
  kUnit,         // one code unit
  kClass,        // a set of code units, `.` and the escapes \d \w \s included
  kSequence,     // children one after another
  kAlternation,  // children tried in order
  kGroup,        // capturing when group > 0
  kRepeat,       // children[0] between min and max times
  kLineStart,    // ^
  kLineEnd,      // $
  kWordBoundary,
  kNotWordBoundary,
  kLookahead,  // (?= ) or, when negative, (?! )
  kBackReference,
};

struct Node {
  explicit Node(NodeKind k) : kind(k) {}

  NodeKind kind;
  char16_t unit = 0;
  CharClass units;
  std::vector<std::unique_ptr<Node>> children;
  int32_t group = 0;  // the capture of a group, or the one a back-reference names
  int32_t min = 0;
  int32_t max = 0;
  bool greedy = true;
  bool negative = false;
  // The captures inside a repeated node, [firstGroup, firstGroup + groupCount), which each
  // iteration clears.
  int32_t firstGroup = 0;
  int32_t groupCount = 0;
};

}  // namespace regex

#endif  // REGEX_AST_H_
