// Evaluation of a parsed calculation. If and Case evaluate only the branch they take, "and" and
// "or" stop as soon as the answer is known, and external functions are called through the handler
// their plug-in registered, with the calling environment.
#include <sqlite3.h>

#include <cmath>
#include <utility>

#include "evaluator_ast.h"
#include "evaluator_functions.h"
#include "evaluator_parser.h"
#include "session_state.h"

namespace standin {

namespace calc {

namespace {

constexpr char16_t kFieldSeparator[] = u"::";

// Evaluate ( ) and external functions that evaluate again may nest calculations; past this depth
// a calculation fails rather than exhaust the stack.
constexpr int kMaximumEvaluationDepth = 64;
int evaluationDepth = 0;

bool isTextLike(const FM_Data& value) {
  return value.type == FM_TYPE_TEXT || value.type == FM_TYPE_INVALID ||
         value.type == FM_TYPE_CONTAINER;
}

bool isDateTimeType(int32_t type) {
  return type == FM_TYPE_DATE || type == FM_TYPE_TIME || type == FM_TYPE_TIMESTAMP;
}

// The seconds of a date, time or timestamp value, as arithmetic reads them.
Decimal secondsOf(const FM_Data& value) { return value.dateTime.seconds; }

int compareValues(const FM_Data& left, const FM_Data& right) {
  if (isTextLike(left) && isTextLike(right)) {
    const std::u16string a = lowercased(left.asText().units);
    const std::u16string b = lowercased(right.asText().units);
    return a < b ? -1 : (a == b ? 0 : 1);
  }
  // A date compared with a number compares its day number, as FileMaker does; two date-times
  // compare their seconds.
  const bool bothDateTimes = isDateTimeType(left.type) && isDateTimeType(right.type);
  const Decimal a = bothDateTimes ? secondsOf(left) : left.asNumber();
  const Decimal b = bothDateTimes ? secondsOf(right) : right.asNumber();
  return a < b ? -1 : (a == b ? 0 : 1);
}

bool compared(const std::u16string& symbol, int order) {
  if (symbol == u"=") return order == 0;
  if (symbol == u"\u2260") return order != 0;
  if (symbol == u"<") return order < 0;
  if (symbol == u">") return order > 0;
  if (symbol == u"\u2264") return order <= 0;
  return order >= 0;
}

// Adds or subtracts: a number moves a date by days and a time or timestamp by seconds.
FM_Data summed(const FM_Data& left, const std::u16string& symbol, const FM_Data& right) {
  const bool subtract = symbol == u"-";
  if (isDateTimeType(left.type) && !isDateTimeType(right.type)) {
    Decimal amount = right.asNumber();
    if (left.type == FM_TYPE_DATE) amount = amount * Decimal::fromInt(kSecondsPerDay);
    const Decimal seconds = subtract ? secondsOf(left) - amount : secondsOf(left) + amount;
    return dateTimeData(seconds, left.type);
  }
  if (subtract && left.type == right.type && isDateTimeType(left.type)) {
    const Decimal difference = secondsOf(left) - secondsOf(right);
    if (left.type == FM_TYPE_DATE) {
      return numberData(*difference.dividedBy(Decimal::fromInt(kSecondsPerDay)));
    }
    return dateTimeData(difference, FM_TYPE_TIME);
  }
  const Decimal a = left.asNumber();
  const Decimal b = right.asNumber();
  return numberData(subtract ? a - b : a + b);
}

FM_Data multiplied(const FM_Data& left, const std::u16string& symbol, const FM_Data& right) {
  const Decimal a = left.asNumber();
  const Decimal b = right.asNumber();
  if (symbol == u"*") return numberData(a * b);
  if (symbol == u"/") {
    auto quotient = a.dividedBy(b);
    return quotient ? numberData(*quotient) : textData(u"?");
  }
  const double power = std::pow(a.toDouble(), b.toDouble());
  return std::isfinite(power) ? numberData(Decimal::fromDouble(power)) : textData(u"?");
}

// The first record of a table stands for the current record.
FM_Data readField(const OpenFile& file, const std::u16string& reference) {
  std::u16string table;
  std::u16string field = reference;
  if (auto separator = reference.find(kFieldSeparator); separator != std::u16string::npos) {
    table = reference.substr(0, separator);
    field = reference.substr(separator + 2);
  }
  const std::vector<std::string> tables = file.tables();
  std::string tableName;
  for (const std::string& candidate : tables) {
    if (table.empty() || equalIgnoringCase(utf16FromUtf8(candidate), table)) {
      tableName = candidate;
      break;
    }
  }
  if (tableName.empty()) throw CalculationError(table.empty() ? kFieldMissing : kTableMissing);

  std::string quotedField;
  for (char c : utf8FromUtf16(field)) quotedField += c == '"' ? std::string("\"\"") : std::string(1, c);
  const std::string query =
      "SELECT \"" + quotedField + "\" FROM \"" + tableName + "\" ORDER BY rowid LIMIT 1";
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(file.database, query.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    sqlite3_finalize(statement);
    throw CalculationError(kFieldMissing);
  }
  FM_Data value = textData(u"");
  if (sqlite3_step(statement) == SQLITE_ROW) {
    switch (sqlite3_column_type(statement, 0)) {
      case SQLITE_INTEGER:
        value = numberData(Decimal::fromInt(sqlite3_column_int64(statement, 0)));
        break;
      case SQLITE_FLOAT:
        value = numberData(Decimal::fromDouble(sqlite3_column_double(statement, 0)));
        break;
      case SQLITE_NULL:
        break;
      default: {
        const unsigned char* text = sqlite3_column_text(statement, 0);
        value = textData(utf16FromUtf8(text ? reinterpret_cast<const char*>(text) : ""));
      }
    }
  }
  sqlite3_finalize(statement);
  return value;
}

class Evaluator {
 public:
  explicit Evaluator(const CallContext& context) : context_(context) {}

  FM_Data evaluate(const Node& node) {
    switch (node.kind) {
      case Node::Kind::Constant:
        return node.constant;
      case Node::Kind::Name:
        return name(node.name);
      case Node::Kind::Call:
        return call(node);
      case Node::Kind::Negate:
        return numberData(evaluate(*node.operands[0]).asNumber().negated());
      case Node::Kind::Not:
        return booleanData(!isTrue(evaluate(*node.operands[0])));
      case Node::Kind::Chain:
        return chain(node);
      case Node::Kind::Let:
        return let(node);
    }
    throw CalculationError(kCalculationFailed);
  }

 private:
  FM_Data name(const std::u16string& name) {
    for (auto binding = variables_.rbegin(); binding != variables_.rend(); ++binding) {
      if (equalIgnoringCase(binding->first, name)) return binding->second;
    }
    if (styleNames_) {
      if (const int style = styleNamed(name); style >= 0) return numberData(Decimal::fromInt(style));
    }
    const std::u16string key = lowercased(name);
    if (key == u"true") return booleanData(true);
    if (key == u"false") return booleanData(false);
    if (const RegisteredFunction* registered = findRegistered(name)) {
      return external(*registered, {});
    }
    if (const BuiltinFunction* builtin = findBuiltin(name)) {
      if (builtin->minimum == 0 && builtin->body != nullptr) {
        std::vector<FM_Data> none;
        return builtin->body(context_, none);
      }
      throw CalculationError(kTooFewParameters);
    }
    if (!name.empty() && name[0] == u'$') return textData(u"");  // an unset variable is empty
    return readField(context_.file, name);
  }

  FM_Data call(const Node& node) {
    const std::u16string key = lowercased(node.name);
    if (key == u"if") {
      if (isTrue(evaluate(*node.operands[0]))) return evaluate(*node.operands[1]);
      return node.operands.size() > 2 ? evaluate(*node.operands[2]) : textData(u"");
    }
    if (key == u"case") {
      size_t index = 0;
      for (; index + 1 < node.operands.size(); index += 2) {
        if (isTrue(evaluate(*node.operands[index]))) return evaluate(*node.operands[index + 1]);
      }
      return index < node.operands.size() ? evaluate(*node.operands[index]) : textData(u"");
    }
    if (key == u"get") return getParameter(node.operands[0]->name, context_);

    if (const BuiltinFunction* builtin = findBuiltin(node.name)) {
      std::vector<FM_Data> arguments;
      for (size_t index = 0; index < node.operands.size(); ++index) {
        // TextStyleAdd ( text ; Bold + Italic ): style names are numbers in that argument only.
        const bool styles = builtin->stylesInSecondArgument && index == 1;
        const bool outer = styleNames_;
        styleNames_ = styles;
        arguments.push_back(evaluate(*node.operands[index]));
        styleNames_ = outer;
      }
      return builtin->body(context_, arguments);
    }
    if (const RegisteredFunction* registered = findRegistered(node.name)) {
      return external(*registered, evaluateAll(node));
    }
    throw CalculationError(kOperatorMissing);
  }

  std::vector<FM_Data> evaluateAll(const Node& node) {
    std::vector<FM_Data> arguments;
    arguments.reserve(node.operands.size());
    for (const auto& operand : node.operands) arguments.push_back(evaluate(*operand));
    return arguments;
  }

  // Calls a plug-in's function. Its handler fills the result; a handler's error code becomes the
  // calculation's, as FileMaker shows "?" for it.
  FM_Data external(const RegisteredFunction& function, std::vector<FM_Data> arguments) {
    FM_DataVect parameters;
    parameters.values = std::move(arguments);
    FM_Data result;
    const int16_t code =
        function.handler(function.id, &context_.environment, &parameters, &result);
    if (code != 0) throw CalculationError(code);
    return result;
  }

  FM_Data chain(const Node& node) {
    const std::u16string& first = node.operators.front();
    if (first == u"and" || first == u"or" || first == u"xor") return logical(node);

    FM_Data value = evaluate(*node.operands[0]);
    for (size_t index = 0; index < node.operators.size(); ++index) {
      const std::u16string& symbol = node.operators[index];
      FM_Data right = evaluate(*node.operands[index + 1]);
      if (symbol == u"&") {
        FM_Text joined = value.asText();
        const FM_Text more = right.asText();
        joined.appendRange(more, 0, static_cast<uint32_t>(more.units.size()));
        value = textData(joined);
      } else if (symbol == u"+" || symbol == u"-") {
        value = summed(value, symbol, right);
      } else if (symbol == u"*" || symbol == u"/" || symbol == u"^") {
        value = multiplied(value, symbol, right);
      } else {
        value = booleanData(compared(symbol, compareValues(value, right)));
      }
    }
    return value;
  }

  FM_Data logical(const Node& node) {
    bool value = isTrue(evaluate(*node.operands[0]));
    for (size_t index = 0; index < node.operators.size(); ++index) {
      const std::u16string& symbol = node.operators[index];
      if (symbol == u"and" && !value) continue;
      if (symbol == u"or" && value) continue;
      const bool right = isTrue(evaluate(*node.operands[index + 1]));
      value = symbol == u"xor" ? value != right : right;
    }
    return booleanData(value);
  }

  FM_Data let(const Node& node) {
    const size_t bound = variables_.size();
    for (size_t index = 0; index < node.operators.size(); ++index) {
      FM_Data value = evaluate(*node.operands[index]);
      variables_.emplace_back(node.operators[index], std::move(value));
    }
    FM_Data body = evaluate(*node.operands.back());
    variables_.resize(bound);
    return body;
  }

  const CallContext& context_;
  bool styleNames_ = false;
  std::vector<std::pair<std::u16string, FM_Data>> variables_;
};

class DepthGuard {
 public:
  DepthGuard() { ++evaluationDepth; }
  ~DepthGuard() { --evaluationDepth; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;
};

}  // namespace

}  // namespace calc

int16_t evaluateCalculation(const std::u16string& calculation, const FM_ExprEnv& environment,
                            FM_Data& result) {
  using namespace calc;
  DepthGuard depth;
  if (evaluationDepth > kMaximumEvaluationDepth) return kCalculationFailed;
  OpenFile* file = findFile(environment.fileName);
  if (file == nullptr) file = &currentFileOf(sessionState());
  try {
    std::unique_ptr<Node> tree = parseCalculation(calculation);
    CallContext context{environment, *file};
    FM_Data value = tree ? Evaluator(context).evaluate(*tree) : textData(u"");
    result = std::move(value);
    return 0;
  } catch (const CalculationError& error) {
    return error.code();
  }
}

}  // namespace standin
