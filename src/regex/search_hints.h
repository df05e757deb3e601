// What a parse tree tells about every match before any matching: where matches can begin, how
// long they are at least, which unit they must contain. All answers are safe over-estimates of
// the set of matches: a search may skip a position only when no match can begin there.
#ifndef REGEX_SEARCH_HINTS_H_
#define REGEX_SEARCH_HINTS_H_

#include "regex/ast.h"
#include "regex/program.h"

namespace regex {

// Fills the hint fields of `program` from the tree.
void addSearchHints(const Node& root, Program& program);

// The units a match of `node` can begin with, into `units`; false when a match may be empty
// or its first unit is not known.
bool firstUnits(const Node& node, UnitBuckets& units);

// The unit a node always matches when it matches one unit of a single value, such as `a`,
// `[a]` or `(?:a)`; -1 otherwise.
int32_t singleUnitOf(const Node& node);

}  // namespace regex

#endif  // REGEX_SEARCH_HINTS_H_
