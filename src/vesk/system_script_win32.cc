// The system scripts of Windows: batch files and VBScript, run by the command interpreter.
// AppleScript, Bash and PHP belong to other systems.
#include <string>

#include "platform/code_pages.h"
#include "platform/processes.h"
#include "vesk/data.h"
#include "vesk/error.h"
#include "vesk/exception.h"
#include "vesk/system_script.h"

namespace vesk {

namespace {

constexpr char16_t kTemporaryPrefix[] = u"qbx";
constexpr int32_t kAnsiCodePage = 1;

// Removes the script file when the run ends, however it ends.
class ScriptFileRemover {
 public:
  explicit ScriptFileRemover(std::u16string path) : path_(std::move(path)) {}
  ~ScriptFileRemover() { platform::removeFile(path_); }
  ScriptFileRemover(const ScriptFileRemover&) = delete;
  ScriptFileRemover& operator=(const ScriptFileRemover&) = delete;

 private:
  std::u16string path_;
};

// `program` comes before the file, or is empty when the interpreter starts the file itself.
std::shared_ptr<String> runScriptFile(const Script& script, const String& extension,
                                      const std::u16string& program) {
  const auto body = script.text()->replaceLineBreaks(String(u"\r\n"));
  const auto path = writeTemporaryScriptFile(*body, extension);
  const ScriptFileRemover remover(path->units());
  // Neither the path nor the arguments are quoted: the arguments reach the script as written.
  std::u16string commandLine = program + path->units();
  for (const auto& argument : script.arguments()) commandLine += u" " + argument->units();
  std::string output;
  try {
    output = platform::runWithCommandInterpreter(
        platform::toNarrow(commandLine.data(), commandLine.size(), platform::CodePage::Ansi));
  } catch (const platform::SystemError& error) {
    throw Exception(systemError(error.code()), error.what());
  }
  if (output.empty()) return std::make_shared<String>();
  return std::make_shared<String>(
      platform::toWide(output.data(), output.size(), platform::CodePage::Oem));
}

}  // namespace

std::shared_ptr<Script> createSystemScript(ScriptType type, std::shared_ptr<String> text) {
  switch (type) {
    case ScriptType::AppleScript:
      fail(kBadParameter, "Apple Script is not supported on Windows");
    case ScriptType::VisualBasic:
      return std::make_shared<VisualBasicScript>(std::move(text));
    case ScriptType::Bat:
      return std::make_shared<BatScript>(std::move(text));
    case ScriptType::Bash:
      fail(kBadParameter, "Bash script is not supported on Windows");
    case ScriptType::Php:
      fail(kBadParameter, "PHP script is not supported on Windows");
  }
  fail(kBadParameter, "Unknown script type");
}

std::shared_ptr<String> makeTemporaryScriptFile(const String& extension) {
  try {
    return std::make_shared<String>(
        platform::temporaryScriptPath(kTemporaryPrefix, extension.units()));
  } catch (const platform::SystemError& error) {
    throw Exception(systemError(error.code()), error.what());
  }
}

std::shared_ptr<String> writeTemporaryScriptFile(const String& text, const String& extension) {
  auto path = makeTemporaryScriptFile(extension);
  text.toData(kAnsiCodePage)->writeToFile(*path);
  return path;
}

BatScript::~BatScript() = default;

void BatScript::runWithErrorOutput(std::shared_ptr<String>& result,
                                   std::shared_ptr<String>& errorOutput) {
  errorOutput.reset();
  result = runScriptFile(*this, String(u"bat"), u"");
}

VisualBasicScript::~VisualBasicScript() = default;

void VisualBasicScript::runWithErrorOutput(std::shared_ptr<String>& result,
                                           std::shared_ptr<String>& errorOutput) {
  errorOutput.reset();
  result = runScriptFile(*this, String(u"vbs"), u"cscript.exe //NoLogo ");
}

}  // namespace vesk
