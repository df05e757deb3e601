// The system scripts of POSIX: Bash and PHP. AppleScript, batch files and VBScript belong to
// other systems.
#include <string>
#include <vector>

#include "platform/processes.h"
#include "vesk/error.h"
#include "vesk/exception.h"
#include "vesk/system_script.h"

namespace vesk {

namespace {

constexpr char kTemporaryPrefix[] = "qbx";
constexpr int32_t kNotAvailableHere = -4;

const char* const kBash = "/bin/bash";

// The arguments are joined with spaces and not quoted, as on the command line of the other
// systems, so each space separates two arguments; nothing else in them is interpreted, as no
// shell reads them.
void appendWords(const std::string& text, std::vector<std::string>& words) {
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of(" \t", start);
    const size_t stop = end == std::string::npos ? text.size() : end;
    if (stop > start) words.push_back(text.substr(start, stop - start));
    start = stop + 1;
  }
}

}  // namespace

std::shared_ptr<Script> createSystemScript(ScriptType type, std::shared_ptr<String> text) {
  switch (type) {
    case ScriptType::AppleScript:
      fail(kBadParameter, "Apple Script is not supported on Linux");
    case ScriptType::VisualBasic:
      fail(kBadParameter, "Visual Basic script is not supported on Linux");
    case ScriptType::Bat:
      fail(kBadParameter, "Bat script is not supported on Linux");
    case ScriptType::Bash:
      return std::make_shared<InterpretedScript>(std::move(text), kBash, "sh");
    case ScriptType::Php: {
      const auto php =
          platform::findProgram({"/usr/bin/php", "/usr/local/bin/php", "/bin/php"});
      if (!php) fail(kNotAvailableHere, "PHP script needs the php command line interpreter");
      return std::make_shared<InterpretedScript>(std::move(text), *php, "php");
    }
  }
  fail(kBadParameter, "Unknown script type");
}

InterpretedScript::InterpretedScript(std::shared_ptr<String> text, std::string interpreter,
                                     std::string extension)
    : Script(std::move(text)), interpreter_(std::move(interpreter)),
      extension_(std::move(extension)) {}

void InterpretedScript::runWithErrorOutput(std::shared_ptr<String>& result,
                                           std::shared_ptr<String>& errorOutput) {
  const auto body = text()->replaceLineBreaks(String(u"\n"))->toUtf8();
  try {
    const platform::TemporaryFile file(kTemporaryPrefix, extension_, *body);
    std::vector<std::string> commandLine = {interpreter_, file.path()};
    for (const auto& argument : arguments()) appendWords(*argument->toUtf8(), commandLine);
    const platform::ProgramOutput output = platform::runProgram(commandLine);
    result = String::fromUtf8(output.standardOutput);
    errorOutput = String::fromUtf8(output.standardError);
  } catch (const platform::SystemError& error) {
    throw Exception(systemError(error.code()), error.what());
  }
}

}  // namespace vesk
