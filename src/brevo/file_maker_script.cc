#include "brevo/file_maker_script.h"

#include "brevo/current_call.h"
#include "brevo/data_copy.h"
#include "vesk/exception.h"
#include "vesk/text_conversions.h"

namespace brevo {

namespace {

constexpr char16_t kReturn = u'\r';
constexpr std::array<std::string_view, 4> kControlNames = {"Halt", "Exit", "Resume", "Pause"};
constexpr uint32_t kFileNamePosition = 14;  // between the quotes of ScriptNames( "" )

int16_t evaluate(const FM_ExprEnv* environment, const FM_Text* calculation, FM_Data* result) {
  return fm::checked([&](FM_ErrorRecord* e) {
    return FM_ExprEnv_Evaluate(environment, calculation, result, e);
  });
}

}  // namespace

std::optional<ScriptControl> scriptControlNamed(const FM_Text* name) {
  fm::Text sought;
  sought.append(name);
  sought.lowercase();
  for (size_t index = 0; index < kControlNames.size(); ++index) {
    fm::Text entry(kControlNames[index]);
    entry.lowercase();
    if (fm::equal(sought, entry)) return static_cast<ScriptControl>(index);
  }
  return std::nullopt;
}

FileMakerScript::FileMakerScript(const FM_Text* fileName, const FM_Text* scriptName,
                                 ScriptControl control, const FM_Data* parameter)
    : vesk::Script(std::make_shared<vesk::String>()), control_(control) {
  fileName_.append(fileName);
  scriptName_.append(scriptName);
  if (parameter != nullptr) copyData(parameter, parameter_);
}

std::shared_ptr<FileMakerScript> FileMakerScript::create(const FM_ExprEnv* environment,
                                                         const FM_Text* fileName,
                                                         const FM_Text* scriptName,
                                                         ScriptControl control,
                                                         const FM_Data* parameter) {
  if (!isValidScriptName(scriptName, fileName, environment)) {
    vesk::fail(vesk::kBadParameter, "Invalid script name");
  }
  return std::make_shared<FileMakerScript>(fileName, scriptName, control, parameter);
}

bool FileMakerScript::isValidScriptName(const FM_Text* scriptName, const FM_Text* fileName,
                                        const FM_ExprEnv* environment) {
  fm::Text calculation("ScriptNames( \"\" )");
  calculation.insert(fileName, kFileNamePosition);
  fm::Data names;
  if (evaluate(environment, calculation, names) != 0) return false;

  const char16_t separator = kReturn;
  fm::Text list;
  list.assignUnicode(&separator, 1);
  list.append(fm::asText(names));
  fm::Text end;
  end.assignUnicode(&separator, 1);
  list.append(end);
  fm::Text sought;
  sought.assignUnicode(&separator, 1);
  sought.append(scriptName);
  sought.append(end);
  return fm::findIgnoringCase(list, sought, 0) != FM_TEXT_NOT_FOUND;
}

fm::Text FileMakerScript::getCurrentFileName(const FM_ExprEnv* environment) {
  fm::Text calculation("Get(FileName)");
  fm::Data value;
  evaluate(environment, calculation, value);  // an error leaves whatever the value holds
  fm::Text name;
  name.append(fm::asText(value));
  return name;
}

void FileMakerScript::runWithErrorOutput(std::shared_ptr<vesk::String>& result,
                                         std::shared_ptr<vesk::String>& errorOutput) {
  const FM_ExternCallStruct* record = currentCall();
  if (record == nullptr || record->startScript == nullptr) {
    vesk::fail(2400, "FileMaker script start failed");
  }
  const int16_t code = record->startScript(fileName_, scriptName_,
                                           static_cast<uint8_t>(control_), parameter_);
  if (code != 0) vesk::fail(code, "FileMaker script start failed");
  errorOutput.reset();
  result = vesk::stringFromFileMakerText(fm::asText(parameter_));
}

}  // namespace brevo
