// Quibo_RegExp_PatternCount and Quibo_RegExp_Substitute: the global walk of a pattern over a
// text, counted, or used to replace capturing groups while every other part keeps its styles.
//
// The matcher is bounded: a pattern or text beyond its limits fails like a syntax error does,
// with its own message, instead of taking FileMaker down with a stack overflow.
#include <memory>

#include "fm/objects.h"
#include "qbx/function_frame.h"
#include "qbx/functions.h"
#include "qbx/last_error.h"
#include "regex/regex.h"
#include "regex/substitution.h"
#include "vesk/exception.h"
#include "vesk/text_conversions.h"

namespace qbx {

namespace {

std::shared_ptr<vesk::String> textParameter(const FM_DataVect* parameters, uint32_t index) {
  return vesk::stringFromFileMakerText(fm::textAt(parameters, index));
}

void patternCount(const FM_DataVect* parameters, FM_Data* result) {
  const std::shared_ptr<vesk::String> text = textParameter(parameters, 0);
  const std::shared_ptr<vesk::String> pattern = textParameter(parameters, 1);
  const regex::Regex regex(pattern->units());
  // At most one match per unit and one more at the end, which an int32 holds for any text the
  // matcher accepts.
  const int64_t count = regex::countMatches(regex, text->units());
  fm::FixPt number;
  number.assign(static_cast<int32_t>(count));
  fm::setNumber(result, number);
}

// Whether the match starting at a position has the style the pattern was typed in. A match
// that starts at the end of the text has no unit, hence no style: plain.
class StyleFilter {
 public:
  explicit StyleFilter(const FM_Text* pattern) {
    if (fm::size(pattern) == 0) return;
    fm::checked([&](FM_ErrorRecord* e) { FM_Text_GetStyle(pattern, patternStyle_, 0, e); });
    active_ = !fm::checked(
        [&](FM_ErrorRecord* e) { return FM_CharacterStyle_IsAllDisabled(patternStyle_, e); });
  }

  bool active() const { return active_; }

  bool sameStyleAt(const FM_Text* source, uint32_t sourceSize, int32_t matchStart) {
    if (matchStart == lastMatchStart_) return lastAnswer_;
    lastMatchStart_ = matchStart;
    lastAnswer_ = false;
    if (static_cast<uint32_t>(matchStart) >= sourceSize) return lastAnswer_;
    fm::checked([&](FM_ErrorRecord* e) {
      FM_Text_GetStyle(source, matchStyle_, static_cast<uint32_t>(matchStart), e);
    });
    lastAnswer_ = fm::checked([&](FM_ErrorRecord* e) {
                    return FM_CharacterStyle_operatorEQ(matchStyle_, patternStyle_, e);
                  }) != 0;
    return lastAnswer_;
  }

 private:
  fm::CharacterStyle patternStyle_;
  fm::CharacterStyle matchStyle_;
  bool active_ = false;
  int32_t lastMatchStart_ = -1;
  bool lastAnswer_ = false;
};

void substitute(const FM_DataVect* parameters, FM_Data* result) {
  const uint32_t parameterCount = fm::size(parameters);
  const FM_Text* source = fm::textAt(parameters, 0);
  const FM_Text* pattern = fm::textAt(parameters, 1);
  const std::shared_ptr<vesk::String> text = vesk::stringFromFileMakerText(source);
  const std::shared_ptr<vesk::String> patternText = vesk::stringFromFileMakerText(pattern);
  const regex::Regex regex(patternText->units());
  StyleFilter styles(pattern);
  const auto sourceSize = static_cast<uint32_t>(text->units().size());

  fm::Text output;
  const int32_t copy = regex::forEachGroupReplacement(
      regex, text->units(), parameterCount - 2, [&](const regex::GroupReplacement& replacement) {
        output.append(source, replacement.copyFrom, replacement.groupStart - replacement.copyFrom);
        if (styles.active() && !styles.sameStyleAt(source, sourceSize, replacement.matchStart)) {
          output.append(source, replacement.groupStart,
                        replacement.groupEnd - replacement.groupStart);
        } else {
          output.append(fm::textAt(parameters, replacement.group + 1));
        }
      });
  output.append(source, copy);
  fm::setText(result, output);
}

}  // namespace

int16_t Quibo_RegExp_PatternCount(int16_t, const FM_ExprEnv*, const FM_DataVect* parameters,
                                  FM_Data* result) {
  return runInFrame(HostCode::AlwaysZero, result, [&] {
    if (fm::size(parameters) < 2) vesk::fail(kBadParameter, "At least two parameters needed");
    patternCount(parameters, result);
    return 0;
  });
}

int16_t Quibo_RegExp_Substitute(int16_t, const FM_ExprEnv*, const FM_DataVect* parameters,
                                FM_Data* result) {
  return runInFrame(HostCode::AlwaysZero, result, [&] {
    if (fm::size(parameters) < 3) vesk::fail(kBadParameter, "At least three parameters needed");
    substitute(parameters, result);
    return 0;
  });
}

}  // namespace qbx
