// Temporary script files and the programs that run them.
#ifndef PLATFORM_PROCESSES_H_
#define PLATFORM_PROCESSES_H_

#include <optional>
#include <string>
#include <vector>

#include "platform/system.h"

namespace platform {

// A new file in the system's folder for temporary files, made exclusively and readable by its
// owner only, named with `prefix` and `extension`; removed when the object goes.
class TemporaryFile {
 public:
  // Throws SystemError when no such file can be made.
  TemporaryFile(const std::string& prefix, const std::string& extension,
                const std::string& contents);
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

struct ProgramOutput {
  std::string standardOutput;
  std::string standardError;
};

// Runs a program (`arguments[0]`, an absolute path) with an empty standard input, reads both of
// its outputs to the end and waits for it. No shell is involved: the arguments reach the program
// as they are. Throws SystemError when it cannot be started.
ProgramOutput runProgram(const std::vector<std::string>& arguments);

// The first of `candidates` that is an executable file.
std::optional<std::string> findProgram(std::initializer_list<const char*> candidates);

// Scripts run by the command interpreter, as Windows runs batch files and VBScript.
//
// The path of a file that does not exist yet in the system's folder for temporary files: the
// unique name that the system makes for `prefix` (the empty file it made removed at once),
// followed by "." and `extension`. Throws SystemError, saying which step failed.
std::u16string temporaryScriptPath(const std::u16string& prefix, const std::u16string& extension);
// Removes a file; whether that worked is not reported.
void removeFile(const std::u16string& path);
// Runs `commandLine` (narrow text in the ANSI code page) with the command interpreter and reads
// what it writes to its standard output until that ends, in 2048-byte reads; its standard input
// and standard error are the caller's. Throws SystemError when the interpreter cannot be started.
std::string runWithCommandInterpreter(const std::string& commandLine);

}  // namespace platform

#endif  // PLATFORM_PROCESSES_H_
