#include "regex/regex.h"

#include "regex/compiler.h"
#include "regex/parser.h"

namespace regex {

Regex::Regex(std::u16string_view pattern) : program_(compile(parse(pattern))) {}

}  // namespace regex
