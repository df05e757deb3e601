// Scripts of the operating system: the text is written to a temporary file that an interpreter
// runs, and what it writes to its standard output is the result.
#ifndef VESK_SYSTEM_SCRIPT_H_
#define VESK_SYSTEM_SCRIPT_H_

#include <memory>
#include <string>

#include "vesk/script.h"

namespace vesk {

enum class ScriptType { AppleScript = 0, VisualBasic = 1, Bat = 2, Bash = 3, Php = 4 };

// The script of a kind this platform runs; throws Exception (-50) for the others.
std::shared_ptr<Script> createSystemScript(ScriptType type, std::shared_ptr<String> text);

// A script run by an interpreter from a file: `interpreter` is the program's absolute path.
// The further arguments follow the file name, split at their spaces as an unquoted command line
// is, and otherwise exactly as written. The error output is what the script wrote to its
// standard error.
class InterpretedScript : public Script {
 public:
  InterpretedScript(std::shared_ptr<String> text, std::string interpreter, std::string extension);
  void runWithErrorOutput(std::shared_ptr<String>& result,
                          std::shared_ptr<String>& errorOutput) override;

 private:
  std::string interpreter_;
  std::string extension_;
};

// The scripts of Windows (system_script_win32.cc): the text, with CR LF line ends and in the ANSI
// code page, goes to a temporary file that the command interpreter runs with the arguments
// appended unquoted; what the script writes to its standard output, read in the OEM code page,
// is the result. The file is removed on every path. They have no error output.
class BatScript : public Script {
 public:
  using Script::Script;
  ~BatScript() override;
  void runWithErrorOutput(std::shared_ptr<String>& result,
                          std::shared_ptr<String>& errorOutput) override;
};

// VBScript runs with the console script host (cscript), so that what it echoes reaches the
// standard output rather than message boxes on FileMaker's screen.
class VisualBasicScript : public Script {
 public:
  using Script::Script;
  ~VisualBasicScript() override;
  void runWithErrorOutput(std::shared_ptr<String>& result,
                          std::shared_ptr<String>& errorOutput) override;
};

// The path of a script file that does not exist yet, in the folder for temporary files, named
// with the prefix "qbx" and ending in "." and `extension`.
std::shared_ptr<String> makeTemporaryScriptFile(const String& extension);
// The same, after writing `text` to it in the ANSI code page.
std::shared_ptr<String> writeTemporaryScriptFile(const String& text, const String& extension);

}  // namespace vesk

#endif  // VESK_SYSTEM_SCRIPT_H_
