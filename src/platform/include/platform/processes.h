// Temporary script files and the programs that run them.
#ifndef PLATFORM_PROCESSES_H_
#define PLATFORM_PROCESSES_H_

#include <optional>
#include <string>

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

// Runs `commandLine` through the system shell (/bin/sh -c) with an empty standard input, reads
// both of its outputs to the end and waits for it. Throws SystemError when it cannot be started.
ProgramOutput runCommandLine(const std::string& commandLine);

// The first of `candidates` that is an executable file.
std::optional<std::string> findProgram(std::initializer_list<const char*> candidates);

}  // namespace platform

#endif  // PLATFORM_PROCESSES_H_
