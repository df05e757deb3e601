// A script of a FileMaker file, started through the host's start-script callback.
#ifndef BREVO_FILE_MAKER_SCRIPT_H_
#define BREVO_FILE_MAKER_SCRIPT_H_

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "fm/objects.h"
#include "vesk/script.h"

namespace brevo {

enum class ScriptControl : uint8_t { Halt = 0, Exit = 1, Resume = 2, Pause = 3 };

// "Halt", "Exit", "Resume", "Pause", matched whole and ignoring case.
std::optional<ScriptControl> scriptControlNamed(const FM_Text* name);

class FileMakerScript : public vesk::Script {
 public:
  // Throws vesk::Exception (-50, "Invalid script name") when the file has no such script.
  static std::shared_ptr<FileMakerScript> create(const FM_ExprEnv* environment,
                                                 const FM_Text* fileName,
                                                 const FM_Text* scriptName,
                                                 ScriptControl control, const FM_Data* parameter);

  // True when `scriptName` is a whole line (or consecutive lines) of the file's script names,
  // ignoring case.
  static bool isValidScriptName(const FM_Text* scriptName, const FM_Text* fileName,
                                const FM_ExprEnv* environment);
  // "Get(FileName)" evaluated in the environment.
  static fm::Text getCurrentFileName(const FM_ExprEnv* environment);

  // Asks the host to start the script; throws vesk::Exception with the host's code when it
  // refuses. The result is the parameter as text.
  void runWithErrorOutput(std::shared_ptr<vesk::String>& result,
                          std::shared_ptr<vesk::String>& errorOutput) override;

  const FM_Text* fileName() const { return fileName_; }
  const FM_Text* scriptName() const { return scriptName_; }
  ScriptControl control() const { return control_; }
  const FM_Data* parameter() const { return parameter_; }

  FileMakerScript(const FM_Text* fileName, const FM_Text* scriptName, ScriptControl control,
                  const FM_Data* parameter);

 private:
  fm::Text fileName_;
  fm::Text scriptName_;
  ScriptControl control_;
  fm::Data parameter_;
};

}  // namespace brevo

#endif  // BREVO_FILE_MAKER_SCRIPT_H_
