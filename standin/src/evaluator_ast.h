// The parsed form of a calculation, and the error that stops a parse or an evaluation.
//
// A tree is built by ParseCalculation and read by the evaluator; it is never changed after the
// parse. Operators of one precedence level in a row form one Chain node rather than a leaning
// tree, so that a long sum does not make the tree (and the evaluator's recursion) deep.
#ifndef STANDIN_EVALUATOR_AST_H_
#define STANDIN_EVALUATOR_AST_H_

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "objects.h"

namespace standin::calc {

// FileMaker's calculation error codes, as FM_ExprEnv_Evaluate answers them.
enum ErrorCode : int16_t {
  kFileMissing = 100,
  kFieldMissing = 102,
  kTableMissing = 106,
  kCalculationFailed = 1200,
  kTooFewParameters = 1201,
  kTooManyParameters = 1202,
  kUnexpectedEnd = 1203,
  kOperandExpected = 1204,
  kUnterminatedText = 1206,
  kUnbalancedParenthesis = 1207,
  kOperatorMissing = 1208,  // also "function not found"
  kInvalidGetParameter = 1215,
};

// Thrown inside the evaluator only; evaluateCalculation turns it into its code.
class CalculationError : public std::exception {
 public:
  explicit CalculationError(int16_t code) : code_(code) {}
  int16_t code() const { return code_; }
  const char* what() const noexcept override { return "calculation error"; }

 private:
  int16_t code_;
};

struct Node {
  enum class Kind {
    Constant,  // `constant`
    Name,      // `name`: a Let variable, a field, a keyword or a function called without "("
    Call,      // `name` ( operands )
    Negate,    // - operands[0]
    Not,       // not operands[0]
    Chain,     // operands[0] operators[0] operands[1] ...: one precedence level, left to right
    Let,       // operators = the names bound; operands = their values, then the body
  };

  explicit Node(Kind k) : kind(k) {}

  Kind kind;
  FM_Data constant;
  std::u16string name;
  std::vector<std::unique_ptr<Node>> operands;
  std::vector<std::u16string> operators;
};

}  // namespace standin::calc

#endif  // STANDIN_EVALUATOR_AST_H_
