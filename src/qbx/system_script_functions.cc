// Quibo_DoSystemScript: a script of the operating system, run to its end; the result is what it
// wrote to its standard output.
#include <array>
#include <string_view>

#include "fm/objects.h"
#include "qbx/function_frame.h"
#include "qbx/functions.h"
#include "qbx/last_error.h"
#include "qbx/plugin_settings.h"
#include "qbx/selector.h"
#include "vesk/exception.h"
#include "vesk/system_script.h"
#include "vesk/text_conversions.h"

namespace qbx {

namespace {

// The interpreter names in table order, and the kinds they stand for.
constexpr std::array<vesk::ScriptType, 5> kScriptTypes = {
    vesk::ScriptType::AppleScript, vesk::ScriptType::Bash, vesk::ScriptType::Bat,
    vesk::ScriptType::VisualBasic, vesk::ScriptType::Php};

void doSystemScript(const FM_DataVect* parameters, FM_Data* result) {
  const uint32_t count = fm::size(parameters);
  if (count < 2) vesk::fail(kBadParameter, "Not enough parameters (at least 2 needed)");
  const auto index = findKeyword(fm::textAt(parameters, 1), {"APPLE", "BASH", "BAT", "VBS", "PHP"});
  if (!index) vesk::fail(kBadParameter, "Unknown system script type");

  auto script = vesk::createSystemScript(kScriptTypes[*index],
                                         vesk::stringFromFileMakerText(fm::textAt(parameters, 0)));
  for (uint32_t argument = 2; argument < count; ++argument) {
    script->addArgument(vesk::stringFromFileMakerText(fm::textAt(parameters, argument)));
  }
  std::shared_ptr<vesk::String> output;
  script->runWithErrorOutput(output, lastScriptErrorOutput());
  fm::Text text;
  vesk::assignToFileMakerText(output ? *output : vesk::String(), text);
  fm::setText(result, text);
}

}  // namespace

int16_t Quibo_DoSystemScript(int16_t, const FM_ExprEnv*, const FM_DataVect* parameters,
                             FM_Data* result) {
  return runInFrame(HostCode::Recorded, result, [&] {
    doSystemScript(parameters, result);
    return 0;
  });
}

}  // namespace qbx
