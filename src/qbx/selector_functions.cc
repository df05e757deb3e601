// Quibo_Version, Quibo_Get and Quibo_Set: the plug-in's own version, state and setting, each
// chosen by a keyword in the first parameter.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "brevo/data_copy.h"
#include "fm/objects.h"
#include "platform/string_resources.h"
#include "platform/system.h"
#include "qbx/function_frame.h"
#include "qbx/functions.h"
#include "qbx/last_error.h"
#include "qbx/local_timestamp.h"
#include "qbx/plugin_settings.h"
#include "qbx/selector.h"
#include "qbx/string_resource.h"
#include "vesk/exception.h"
#include "vesk/text_conversions.h"

namespace qbx {

namespace {

constexpr char kVersion[] = "1.2";
constexpr int kFileVersion[4] = {1, 2, 0, 1};

enum class VersionFormat { Short, Long, Platform, AutoUpdate };
enum class GetSelector { LastError, LastErrorMessage, IsLocked, Timestamp, Sort, StandardError };
enum class SetSelector { GlobalDieInterval };

template <typename Selector>
Selector lookUp(const FM_DataVect* parameters, std::initializer_list<std::string_view> keywords) {
  auto index = findKeyword(fm::textAt(parameters, 0), keywords);
  if (!index) vesk::fail(kBadParameter, "Unrecognized selector");
  return static_cast<Selector>(*index);
}

std::string autoUpdateNumber() {
  char text[16];
  (void)std::snprintf(text, sizeof text, "%02d%02d%02d%02d", kFileVersion[0], kFileVersion[1],
                      kFileVersion[2], kFileVersion[3]);
  return text;
}

void setTextResult(FM_Data* result, std::string_view text, int32_t encoding = FM_ENCODING_NATIVE) {
  fm::Text answer;
  answer.assign(text, encoding);
  fm::setText(result, answer);
}

void answerVersion(const FM_DataVect* parameters, FM_Data* result) {
  VersionFormat format = VersionFormat::Short;
  if (fm::size(parameters) > 0) {
    auto index =
        findKeyword(fm::textAt(parameters, 0), {"short", "long", "platform", "autoupdate"});
    if (index) format = static_cast<VersionFormat>(*index);
  }
  fm::Text answer;
  switch (format) {
    case VersionFormat::Short:
      answer.assign(kVersion);
      break;
    case VersionFormat::Long: {
      std::u16string name = loadString(kPluginNameString, 256) + u" ";
      answer.assignUnicode(name.data(), static_cast<uint32_t>(name.size()));
      fm::Text version(kVersion);
      answer.append(version);
      break;
    }
    case VersionFormat::Platform:
      answer.assign(platform::name());
      break;
    case VersionFormat::AutoUpdate:
      answer.assign(autoUpdateNumber());
      break;
  }
  fm::setText(result, answer);
}

// Numbers one per line, lines ending at carriage returns; a line that holds no number is skipped.
std::vector<double> readNumberLines(const std::string& text) {
  std::vector<double> numbers;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line, '\r')) {
    // The number at the start of the line; a line that starts with none is left out.
    char* end = nullptr;
    const double number = std::strtod(line.c_str(), &end);
    if (end != line.c_str()) numbers.push_back(number);
  }
  return numbers;
}

void answerSorted(const FM_DataVect* parameters, FM_Data* result) {
  const FM_Text* list = fm::textAt(parameters, 1);
  std::vector<double> numbers =
      readNumberLines(fm::bytes(list, FM_ENCODING_ASCII_MAC, fm::size(list) + 1));
  std::sort(numbers.begin(), numbers.end());
  std::ostringstream answer;
  for (double number : numbers) answer << number << '\r';
  setTextResult(result, answer.str(), FM_ENCODING_ASCII_MAC);
}

void answerLastErrorMessage(FM_Data* result) {
  auto message = LastError::message();
  setTextResult(result, message ? *message : std::string("No Error Message"));
}

void answerStandardError(FM_Data* result) {
  const auto& output = lastScriptErrorOutput();
  if (!output) vesk::fail(kNotAvailableHere, "Only Bash and PHP scripts support stderr.");
  fm::Text answer;
  vesk::assignToFileMakerText(*output, answer);
  fm::setText(result, answer);
}

}  // namespace

int16_t Quibo_Version(int16_t, const FM_ExprEnv*, const FM_DataVect* parameters, FM_Data* result) {
  // FileMaker shows the version in its plug-in list, so this function never fails towards it.
  return runInFrame(HostCode::AlwaysZero, result, [&] {
    answerVersion(parameters, result);
    return 0;
  });
}

int16_t Quibo_Get(int16_t, const FM_ExprEnv*, const FM_DataVect* parameters, FM_Data* result) {
  return runInFrame(HostCode::Recorded, result, [&] {
    if (fm::size(parameters) == 0) vesk::fail(kBadParameter, "Not enough parameters");
    switch (lookUp<GetSelector>(
        parameters, {"lastError", "lastErrorMessage", "isLocked", "timestamp", "sort", "stderr"})) {
      case GetSelector::LastError:
        setNumberResult(result, LastError::number());
        break;
      case GetSelector::LastErrorMessage:
        answerLastErrorMessage(result);
        break;
      case GetSelector::IsLocked:
        break;
      case GetSelector::Timestamp:
        setLocalTimestampResult(result);
        break;
      case GetSelector::Sort:
        answerSorted(parameters, result);
        break;
      case GetSelector::StandardError:
        answerStandardError(result);
        break;
    }
    return 0;
  });
}

int16_t Quibo_Set(int16_t, const FM_ExprEnv*, const FM_DataVect* parameters, FM_Data* result) {
  return runInFrame(HostCode::Recorded, result, [&] {
    if (fm::size(parameters) < 2) vesk::fail(kBadParameter, "Not enough parameters");
    switch (lookUp<SetSelector>(parameters, {"globalDieInterval"})) {
      case SetSelector::GlobalDieInterval:
        setGlobalDieInterval(fm::asFloat(fm::numberAt(parameters, 1)));
        break;
    }
    brevo::copyData(fm::at(parameters, 1), result);
    return 0;
  });
}

}  // namespace qbx
