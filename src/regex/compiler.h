// Turns a parse tree into a Program, search hints included.
#ifndef REGEX_COMPILER_H_
#define REGEX_COMPILER_H_

#include "regex/parser.h"
#include "regex/program.h"

namespace regex {

Program compile(const ParsedPattern& pattern);

}  // namespace regex

#endif  // REGEX_COMPILER_H_
