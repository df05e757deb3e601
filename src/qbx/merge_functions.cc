// Quibo_MergeText: a template whose "<<" expression ">>" placeholders are replaced by the values
// the host gives for them, everything copied with its styles.
#include "fm/objects.h"
#include "qbx/function_frame.h"
#include "qbx/functions.h"
#include "qbx/last_error.h"
#include "qbx/merge_cache.h"
#include "vesk/exception.h"

namespace qbx {

namespace {

constexpr uint32_t kDelimiterLength = 2;

void mergeText(const FM_ExprEnv* environment, const FM_DataVect* parameters, FM_Data* result) {
  fm::Text source;
  fm::Text output;
  fm::Text expression;
  fm::Text opening("<<");
  fm::Text closing(">>");
  fm::Text cachedValue;
  fm::Data value;
  MergeCache cache;
  source.append(fm::textAt(parameters, 0));

  uint32_t scan = 0;
  while (true) {
    const uint32_t open = fm::find(source, opening, scan);
    if (open == FM_TEXT_NOT_FOUND) break;
    // Searched from the scan position, not from the opening delimiter: a stray ">>" ahead of a
    // placeholder makes it stay as it is.
    const uint32_t close = fm::find(source, closing, scan);
    if (close == FM_TEXT_NOT_FOUND) break;
    if (close < open) {
      output.append(source, scan, open + kDelimiterLength - scan);
      scan = open + kDelimiterLength;
      continue;
    }
    expression.clear();
    expression.append(source, open + kDelimiterLength, close - open - kDelimiterLength);
    output.append(source, scan, open - scan);
    if (cache.lookUp(expression, cachedValue)) {
      output.append(cachedValue);
    } else {
      const int16_t code = fm::checked([&](FM_ErrorRecord* e) {
        return FM_ExprEnv_Evaluate(environment, expression, value, e);
      });
      if (code == 0) {
        const FM_Text* merged = fm::asText(value);
        output.append(merged);
        cache.insert(expression, merged);
      } else {
        output.append(expression);  // an expression that fails stands as its own text
      }
    }
    scan = close + kDelimiterLength;
  }
  output.append(source, scan);
  fm::setText(result, output);
}

}  // namespace

int16_t Quibo_MergeText(int16_t, const FM_ExprEnv* environment, const FM_DataVect* parameters,
                        FM_Data* result) {
  return runInFrame(HostCode::AlwaysZero, result, [&] {
    if (fm::size(parameters) == 0) vesk::fail(kBadParameter, "Not enough parameters");
    mergeText(environment, parameters, result);
    return 0;
  });
}

}  // namespace qbx
