// The calculation lexer. FileMaker names may hold letters of any script, digits, "_", ".", "$"
// and "~"; "$" and "$$" start variable names, and "::" joins a table and a field name.
#include "evaluator_lexer.h"

#include "evaluator_ast.h"

namespace standin::calc {

namespace {

constexpr char16_t kPilcrow = u'\u00B6';  // ¶ stands for a carriage return inside text
constexpr char16_t kNotEqual = u'\u2260';
constexpr char16_t kLessOrEqual = u'\u2264';
constexpr char16_t kGreaterOrEqual = u'\u2265';

bool isDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

bool isSpace(char16_t unit) {
  return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n' || unit == u'\u00A0' ||
         unit == u'\u2028' || unit == u'\u2029';
}

bool isNameStart(char16_t unit) {
  if ((unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z')) return true;
  if (unit == u'_' || unit == u'$' || unit == u'~') return true;
  return unit >= 0x80 && !isSpace(unit) && unit != kPilcrow && unit != kNotEqual &&
         unit != kLessOrEqual && unit != kGreaterOrEqual;
}

bool isNamePart(char16_t unit) { return isNameStart(unit) || isDigit(unit) || unit == u'.'; }

class Lexer {
 public:
  explicit Lexer(const std::u16string& text) : text_(text) {}

  std::vector<Token> run() {
    std::vector<Token> tokens;
    while (true) {
      skipSpaceAndComments();
      Token token;
      token.position = at_;
      if (at_ >= text_.size()) {
        tokens.push_back(token);
        return tokens;
      }
      readToken(token);
      tokens.push_back(std::move(token));
    }
  }

 private:
  char16_t peek(size_t ahead = 0) const {
    return at_ + ahead < text_.size() ? text_[at_ + ahead] : u'\0';
  }

  void skipSpaceAndComments() {
    while (at_ < text_.size()) {
      if (isSpace(text_[at_])) {
        ++at_;
      } else if (peek() == u'/' && peek(1) == u'/') {
        while (at_ < text_.size() && text_[at_] != u'\r' && text_[at_] != u'\n') ++at_;
      } else if (peek() == u'/' && peek(1) == u'*') {
        const size_t end = text_.find(u"*/", at_ + 2);
        if (end == std::u16string::npos) throw CalculationError(kUnexpectedEnd);
        at_ = end + 2;
      } else {
        return;
      }
    }
  }

  void readToken(Token& token) {
    const char16_t unit = peek();
    if (unit == u'"') return readText(token);
    if (isDigit(unit) || (unit == u'.' && isDigit(peek(1)))) return readNumber(token);
    if (isNameStart(unit)) return readName(token);
    readSymbol(token);
  }

  void readText(Token& token) {
    token.kind = TokenKind::Text;
    ++at_;
    while (at_ < text_.size()) {
      const char16_t unit = text_[at_++];
      if (unit == u'"') return;
      if (unit == kPilcrow) {
        token.text += u'\r';
      } else if (unit == u'\\' && (peek() == u'"' || peek() == u'\\' || peek() == kPilcrow)) {
        token.text += text_[at_++];
      } else {
        token.text += unit;
      }
    }
    throw CalculationError(kUnterminatedText);
  }

  void readNumber(Token& token) {
    token.kind = TokenKind::Number;
    bool sawPoint = false;
    while (isDigit(peek()) || (peek() == u'.' && !sawPoint)) {
      if (peek() == u'.') sawPoint = true;
      token.text += text_[at_++];
    }
  }

  void readName(Token& token) {
    token.kind = TokenKind::Name;
    readNamePart(token.text);
    if (peek() == u':' && peek(1) == u':' && isNameStart(peek(2))) {
      token.text += u"::";
      at_ += 2;
      readNamePart(token.text);
    }
  }

  void readNamePart(std::u16string& name) {
    while (at_ < text_.size() && isNamePart(text_[at_])) name += text_[at_++];
  }

  void readSymbol(Token& token) {
    token.kind = TokenKind::Symbol;
    const char16_t unit = text_[at_++];
    if (unit == u'<' && peek() == u'>') {
      ++at_;
      token.text = std::u16string(1, kNotEqual);
    } else if (unit == u'<' && peek() == u'=') {
      ++at_;
      token.text = std::u16string(1, kLessOrEqual);
    } else if (unit == u'>' && peek() == u'=') {
      ++at_;
      token.text = std::u16string(1, kGreaterOrEqual);
    } else if (std::u16string_view(u"()[];&+-*/^=<>\u2260\u2264\u2265").find(unit) !=
               std::u16string_view::npos) {
      token.text = std::u16string(1, unit);
    } else {
      throw CalculationError(kOperatorMissing);
    }
  }

  const std::u16string& text_;
  size_t at_ = 0;
};

}  // namespace

std::vector<Token> tokenize(const std::u16string& calculation) { return Lexer(calculation).run(); }

}  // namespace standin::calc
