// What compiling or matching a regular expression can raise. Both are standard exceptions, so
// that a caller that knows nothing of this library still reports them with their message.
#ifndef REGEX_ERRORS_H_
#define REGEX_ERRORS_H_

#include <stdexcept>

namespace regex {

// The pattern is not a valid expression. One message for every kind of mistake.
class SyntaxError : public std::runtime_error {
 public:
  SyntaxError() : std::runtime_error("regular expression error") {}
};

// The pattern or the text goes beyond what the matcher allows itself: nesting depth, text
// length, backtracking memory or the number of steps of one walk.
class LimitExceeded : public std::runtime_error {
 public:
  LimitExceeded() : std::runtime_error("regular expression too complex for this text") {}
};

}  // namespace regex

#endif  // REGEX_ERRORS_H_
