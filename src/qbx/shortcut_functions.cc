// Quibo_SetScriptShortcut: binds a key combination to a script of the current file, started at
// once whenever the combination is pressed with a FileMaker window in front.
#include "brevo/file_maker_script.h"
#include "brevo/script_scheduler.h"
#include "fm/objects.h"
#include "qbx/function_frame.h"
#include "qbx/functions.h"
#include "qbx/last_error.h"
#include "vesk/exception.h"
#include "vesk/text_conversions.h"

namespace qbx {

namespace {

void setScriptShortcut(const FM_ExprEnv* environment, const FM_DataVect* parameters) {
  const uint32_t count = fm::size(parameters);
  if (count < 2) vesk::fail(kBadParameter, "Key and scriptName must be specified");
  auto scheduler = brevo::ScriptScheduler::instance();

  const auto key = vesk::stringFromFileMakerText(fm::textAt(parameters, 0));
  if (key->length() == 0) {
    scheduler->removeAllShortcuts();
    return;
  }
  const FM_Text* scriptName = fm::textAt(parameters, 1);
  if (fm::size(scriptName) == 0) {
    scheduler->removeShortcut(*key);
    return;
  }

  const fm::Text fileName = brevo::FileMakerScript::getCurrentFileName(environment);
  brevo::ScriptControl control = brevo::ScriptControl::Halt;
  const FM_Data* scriptParameter = nullptr;  // the script gets an empty one of its own
  if (count == 3) {
    if (auto named = brevo::scriptControlNamed(fm::textAt(parameters, 2))) {
      control = *named;
    } else {
      scriptParameter = fm::at(parameters, 2);
    }
  } else if (count >= 4) {
    auto named = brevo::scriptControlNamed(fm::textAt(parameters, 3));
    if (!named) vesk::fail(kBadParameter, "No such script control");
    control = *named;
    scriptParameter = fm::at(parameters, 2);
  }
  auto script =
      brevo::FileMakerScript::create(environment, fileName, scriptName, control, scriptParameter);
  scheduler->addShortcut(*key, std::move(script));
}

}  // namespace

int16_t Quibo_SetScriptShortcut(int16_t, const FM_ExprEnv* environment,
                                const FM_DataVect* parameters, FM_Data* result) {
  return runInFrame(HostCode::AlwaysZero, result, [&] {
    if (answeredAsServerHost(result)) return 0;  // a server host has no keyboard
    setScriptShortcut(environment, parameters);
    setNumberResult(result, kNoError);
    return 0;
  });
}

}  // namespace qbx
