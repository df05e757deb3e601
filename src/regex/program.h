// The compiled form of a pattern: a small instruction list for the backtracking matcher, the
// sets and literals it refers to, and what the search may assume about where matches begin.
// Immutable after compilation; any number of matchers may read it at once.
#ifndef REGEX_PROGRAM_H_
#define REGEX_PROGRAM_H_

#include <cstdint>
#include <string>
#include <vector>

#include "regex/char_class.h"

namespace regex {

enum class Op : uint8_t {
  kUnit,        // a: the unit
  kLiteral,     // a: offset into literals, b: length
  kClass,       // a: class index
  kSplit,       // try a, then b
  kJump,        // a: target
  kGroupStart,  // a: group
  kGroupEnd,    // a: group
  kLineStart,
  kLineEnd,
  kWordBoundary,
  kNotWordBoundary,
  kBackReference,  // a: group
  kLookStart,      // flag: negative, a: where matching goes on after the lookahead
  kLookEnd,
  // A repeated single unit or class, consumed in one step: flag set for a class, a: the unit or
  // the class index, b: min, c: max.
  kRunGreedy,
  kRunLazy,
  // The general loop: LoopInit sets counter register a to 0; LoopEntry (a: counter, b: min,
  // c: max, d: exit, flag: greedy) decides whether to go round again; LoopIterate (a: position
  // register, b: first group, c: group count) starts an iteration; LoopBack (a: counter, b: min,
  // c: the LoopEntry, d: position register, flag: no maximum) ends one.
  kLoopInit,
  kLoopEntry,
  kLoopIterate,
  kLoopBack,
  kMatch,
};

struct Instruction {
  Op op;
  bool flag = false;
  int32_t a = 0;
  int32_t b = 0;
  int32_t c = 0;
  int32_t d = 0;
};

struct Program {
  std::vector<Instruction> code;
  std::vector<CharClass> classes;
  // The units that an alternative's matches begin with, so that a choice whose alternative
  // cannot match at the next unit is skipped.
  std::vector<UnitBuckets> filters;
  std::u16string literals;
  int32_t groupCount = 0;     // capturing groups, not counting the whole match
  int32_t registerCount = 0;  // group starts first, then the loops' counters and positions

  // Search hints. Every match begins at position 0 when anchoredStart is set; is the literal
  // when pureLiteral is set; has at least minLength units, the first of which lie in
  // prefix[0], prefix[1], ...; and contains requiredUnit when it is not negative.
  bool anchoredStart = false;
  bool pureLiteral = false;
  std::u16string literal;
  std::vector<UnitBuckets> prefix;
  int32_t requiredUnit = -1;
  int32_t minLength = 0;
};

}  // namespace regex

#endif  // REGEX_PROGRAM_H_
