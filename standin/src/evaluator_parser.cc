// A recursive-descent parser over FileMaker's precedence levels, loosest first:
// or xor; and; not; = ≠ < > ≤ ≥; &; + -; * /; ^; unary minus and plus.
#include "evaluator_parser.h"

#include <array>

#include "evaluator_functions.h"
#include "evaluator_lexer.h"
#include "session_state.h"

namespace standin::calc {

namespace {

enum Level { kOr, kAnd, kNot, kComparison, kConcatenation, kSum, kProduct, kPower, kOperand };

// The operators of each binary level; the word operators are matched ignoring case. Made when the
// host library loads: a process that cannot allocate these few strings cannot host anything.
// NOLINTNEXTLINE(cert-err58-cpp)
const std::array<std::vector<std::u16string>, kOperand> kOperatorsOfLevel = {{
    {u"or", u"xor"},
    {u"and"},
    {},
    {u"=", u"\u2260", u"<", u">", u"\u2264", u"\u2265"},
    {u"&"},
    {u"+", u"-"},
    {u"*", u"/"},
    {u"^"},
}};

bool isWordOperator(const Token& token) {
  if (token.kind != TokenKind::Name) return false;
  const std::u16string word = lowercased(token.text);
  return word == u"and" || word == u"or" || word == u"xor" || word == u"not";
}

bool isSymbol(const Token& token, std::u16string_view symbol) {
  return token.kind == TokenKind::Symbol && token.text == symbol;
}

class Parser {
 public:
  explicit Parser(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  std::unique_ptr<Node> run() {
    if (peek().kind == TokenKind::End) return nullptr;
    auto tree = parseLevel(kOr);
    if (peek().kind != TokenKind::End) {
      throw CalculationError(isSymbol(peek(), u")") ? kUnbalancedParenthesis : kOperatorMissing);
    }
    return tree;
  }

 private:
  // Counts the nesting of operands while they are parsed.
  class Nesting {
   public:
    explicit Nesting(int& depth) : depth_(depth) {
      if (++depth_ > kMaximumNesting) throw CalculationError(kCalculationFailed);
    }
    ~Nesting() { --depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

   private:
    int& depth_;
  };

  const Token& peek() const { return tokens_[at_]; }
  const Token& take() { return tokens_[at_ < tokens_.size() - 1 ? at_++ : at_]; }

  // The operator of `level` that the next token is, if it is one.
  const std::u16string* operatorAt(int level) const {
    const Token& token = peek();
    if (token.kind != TokenKind::Symbol && token.kind != TokenKind::Name) return nullptr;
    const std::u16string text = token.kind == TokenKind::Name ? lowercased(token.text) : token.text;
    for (const std::u16string& symbol : kOperatorsOfLevel[level]) {
      if (symbol == text) return &symbol;
    }
    return nullptr;
  }

  std::unique_ptr<Node> parseLevel(int level) {
    if (level == kNot) return parseNot();
    if (level == kOperand) return parseOperand();
    auto first = parseLevel(level + 1);
    if (operatorAt(level) == nullptr) return first;
    auto chain = std::make_unique<Node>(Node::Kind::Chain);
    chain->operands.push_back(std::move(first));
    while (const std::u16string* symbol = operatorAt(level)) {
      take();
      chain->operators.push_back(*symbol);
      chain->operands.push_back(parseLevel(level + 1));
    }
    return chain;
  }

  std::unique_ptr<Node> parseNot() {
    if (peek().kind != TokenKind::Name || lowercased(peek().text) != u"not") {
      return parseLevel(kComparison);
    }
    Nesting nesting(depth_);
    take();
    auto node = std::make_unique<Node>(Node::Kind::Not);
    node->operands.push_back(parseNot());
    return node;
  }

  std::unique_ptr<Node> parseOperand() {
    Nesting nesting(depth_);
    const Token& token = peek();
    if (isSymbol(token, u"-") || isSymbol(token, u"+")) {
      const bool negate = take().text == u"-";
      auto operand = parseOperand();
      if (!negate) return operand;
      auto node = std::make_unique<Node>(Node::Kind::Negate);
      node->operands.push_back(std::move(operand));
      return node;
    }
    switch (token.kind) {
      case TokenKind::End:
        throw CalculationError(kUnexpectedEnd);
      case TokenKind::Number:
        return constant(numberData(Decimal::parse(take().text).value_or(Decimal())));
      case TokenKind::Text:
        return constant(textData(take().text));
      case TokenKind::Name:
        if (isWordOperator(token)) throw CalculationError(kOperandExpected);
        return parseName();
      case TokenKind::Symbol:
        break;
    }
    if (!isSymbol(token, u"(")) throw CalculationError(kOperandExpected);
    take();
    auto inner = parseLevel(kOr);
    expectClosingParenthesis();
    return inner;
  }

  static std::unique_ptr<Node> constant(FM_Data value) {
    auto node = std::make_unique<Node>(Node::Kind::Constant);
    node->constant = std::move(value);
    return node;
  }

  void expectClosingParenthesis() {
    if (isSymbol(peek(), u")")) {
      take();
      return;
    }
    throw CalculationError(peek().kind == TokenKind::End ? kUnbalancedParenthesis
                                                         : kOperatorMissing);
  }

  std::unique_ptr<Node> parseName() {
    const std::u16string name = take().text;
    if (!isSymbol(peek(), u"(")) {
      auto node = std::make_unique<Node>(Node::Kind::Name);
      node->name = name;
      return node;
    }
    take();
    if (lowercased(name) == u"let") return parseLet();
    auto call = std::make_unique<Node>(Node::Kind::Call);
    call->name = name;
    if (!isSymbol(peek(), u")")) {
      call->operands.push_back(parseLevel(kOr));
      while (isSymbol(peek(), u";")) {
        take();
        call->operands.push_back(parseLevel(kOr));
      }
    }
    expectClosingParenthesis();
    checkCall(*call);
    return call;
  }

  static void checkCall(const Node& call) {
    const size_t count = call.operands.size();
    if (const BuiltinFunction* builtin = findBuiltin(call.name)) {
      checkArgumentCount(count, builtin->minimum, builtin->maximum);
      if (lowercased(call.name) == u"get") checkGetParameter(*call.operands[0]);
      return;
    }
    if (const RegisteredFunction* registered = findRegistered(call.name)) {
      checkArgumentCount(count, registered->minimumArgs, registered->maximumArgs);
      return;
    }
    throw CalculationError(kOperatorMissing);
  }

  static void checkGetParameter(const Node& parameter) {
    if (parameter.kind != Node::Kind::Name || !isGetParameter(parameter.name)) {
      throw CalculationError(kInvalidGetParameter);
    }
  }

  // Let ( name = value ; body ) or Let ( [ name = value ; ... ] ; body ); "Let (" is taken.
  std::unique_ptr<Node> parseLet() {
    auto let = std::make_unique<Node>(Node::Kind::Let);
    if (isSymbol(peek(), u"[")) {
      take();
      parseBinding(*let);
      while (isSymbol(peek(), u";")) {
        take();
        parseBinding(*let);
      }
      if (!isSymbol(take(), u"]")) throw CalculationError(kOperatorMissing);
    } else {
      parseBinding(*let);
    }
    if (!isSymbol(peek(), u";")) {
      throw CalculationError(peek().kind == TokenKind::End ? kUnexpectedEnd : kOperatorMissing);
    }
    take();
    let->operands.push_back(parseLevel(kOr));
    expectClosingParenthesis();
    return let;
  }

  void parseBinding(Node& let) {
    const Token& name = peek();
    if (name.kind == TokenKind::End) throw CalculationError(kUnexpectedEnd);
    if (name.kind != TokenKind::Name || isWordOperator(name)) {
      throw CalculationError(kOperandExpected);
    }
    let.operators.push_back(take().text);
    if (!isSymbol(take(), u"=")) throw CalculationError(kOperatorMissing);
    let.operands.push_back(parseLevel(kOr));
  }

  std::vector<Token> tokens_;
  size_t at_ = 0;
  int depth_ = 0;
};

}  // namespace

std::unique_ptr<Node> parseCalculation(const std::u16string& calculation) {
  return Parser(tokenize(calculation)).run();
}

}  // namespace standin::calc
