// The pattern grammar of JavaScript's RegExp without flags, with the web-compatibility rules
// that engines apply to such patterns: a `{` that starts no quantifier, a `]` or `}` outside a
// class are literal; \8 and \9 and other unknown escapes stand for their letter; a \c without a
// control letter is a backslash; a decimal escape above the number of groups is an octal escape;
// a lookahead may be quantified; a class escape such as \d at a range's end makes `-` literal.
// Named groups, lookbehind and flags are not part of this grammar and are syntax errors.
#ifndef REGEX_PARSER_H_
#define REGEX_PARSER_H_

#include <memory>
#include <string_view>

#include "regex/ast.h"

namespace regex {

// Groups deeper than this are refused (LimitExceeded), which bounds every walk of the tree.
constexpr int kMaxNesting = 200;

struct ParsedPattern {
  std::unique_ptr<Node> root;
  int32_t groupCount = 0;  // capturing groups, not counting the whole match
};

// Throws SyntaxError for an invalid pattern and LimitExceeded for one nested too deeply.
ParsedPattern parse(std::u16string_view pattern);

}  // namespace regex

#endif  // REGEX_PARSER_H_
