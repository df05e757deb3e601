// Splits a calculation into tokens: number and text constants, names and symbols.
#ifndef STANDIN_EVALUATOR_LEXER_H_
#define STANDIN_EVALUATOR_LEXER_H_

#include <string>
#include <vector>

namespace standin::calc {

enum class TokenKind { Number, Text, Name, Symbol, End };

struct Token {
  TokenKind kind = TokenKind::End;
  // Number: the digits as written. Text: the constant with its escapes resolved. Name: as
  // written, "Table::Field" as one name. Symbol: one of ( ) [ ] ; & + - * / ^ = ≠ < > ≤ ≥, with
  // "<>", "<=" and ">=" already turned into ≠, ≤ and ≥.
  std::u16string text;
  size_t position = 0;
};

// Answers the tokens, the last of kind End; throws CalculationError (1206 for an unterminated
// text constant, 1203 for an unterminated comment, 1208 for a character that starts no token).
std::vector<Token> tokenize(const std::u16string& calculation);

}  // namespace standin::calc

#endif  // STANDIN_EVALUATOR_LEXER_H_
