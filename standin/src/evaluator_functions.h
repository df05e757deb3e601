// The calculation functions the host knows by itself, and its Get parameters.
#ifndef STANDIN_EVALUATOR_FUNCTIONS_H_
#define STANDIN_EVALUATOR_FUNCTIONS_H_

#include <string>
#include <string_view>
#include <vector>

#include "objects.h"
#include "session_state.h"

namespace standin::calc {

// What a function body sees of the calculation it runs in.
struct CallContext {
  const FM_ExprEnv& environment;
  OpenFile& file;
};

using FunctionBody = FM_Data (*)(const CallContext& context, std::vector<FM_Data>& arguments);

struct BuiltinFunction {
  std::u16string_view name;
  int minimum;
  int maximum;  // -1: any number
  // Null for the forms whose arguments the evaluator evaluates itself (If, Case, Let, Get).
  FunctionBody body;
  // TextStyleAdd and TextStyleRemove: the second argument may name styles (Bold + Italic).
  bool stylesInSecondArgument = false;
};

// Letter case is ignored, as in FileMaker.
const BuiltinFunction* findBuiltin(const std::u16string& name);
const RegisteredFunction* findRegistered(const std::u16string& name);
// Throws 1201 or 1202 when `count` arguments do not fit.
void checkArgumentCount(size_t count, int minimum, int maximum);

bool isGetParameter(const std::u16string& name);
FM_Data getParameter(const std::u16string& name, const CallContext& context);

// The face bits of a style name of TextStyleAdd (Plain is 0), or -1 for no style name.
int styleNamed(const std::u16string& name);

// Value helpers shared by the evaluator's parts.
FM_Data textData(const FM_Text& text);
FM_Data textData(const std::u16string& units);
FM_Data numberData(const Decimal& number);
FM_Data booleanData(bool value);
FM_Data dateTimeData(const Decimal& seconds, int32_t type);
// FileMaker's truth of a value: a number other than zero.
bool isTrue(const FM_Data& value);

}  // namespace standin::calc

#endif  // STANDIN_EVALUATOR_FUNCTIONS_H_
