// Parses a calculation into its tree, checking what FileMaker checks before it evaluates:
// balanced parentheses, known function names, argument counts and Get parameters.
#ifndef STANDIN_EVALUATOR_PARSER_H_
#define STANDIN_EVALUATOR_PARSER_H_

#include <memory>
#include <string>

#include "evaluator_ast.h"

namespace standin::calc {

// How deep operands may nest. Past it a calculation fails with 1200 instead of exhausting the
// stack of the parser, the evaluator or the tree's destructor.
inline constexpr int kMaximumNesting = 400;

// Throws CalculationError. An empty calculation (only spaces and comments) gives null.
std::unique_ptr<Node> parseCalculation(const std::u16string& calculation);

}  // namespace standin::calc

#endif  // STANDIN_EVALUATOR_PARSER_H_
