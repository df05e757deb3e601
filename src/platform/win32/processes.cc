// Script files and the command interpreter on Win32. GetTempFileNameW makes a unique empty file,
// which is removed at once so that the script can be written under that name plus its own
// extension (the command interpreter picks the program by the extension). _popen starts the
// interpreter named by COMSPEC with "/c" and the command line, its standard output piped here;
// the pipe is read in binary mode, so that the bytes arrive as written (text mode would drop
// the CR of each CR LF and stop at the first Ctrl-Z).
#include "platform/processes.h"

#include <windows.h>

#include <cstdio>

#include "wide_text.h"

namespace platform {

namespace {

constexpr size_t kReadSize = 2048;
constexpr DWORD kPathCapacity = MAX_PATH;

// Closes the pipe (and so waits for the interpreter) on every path.
class CommandPipe {
 public:
  explicit CommandPipe(const std::string& commandLine)
      : stream_(::_popen(commandLine.c_str(), "rb")) {}
  ~CommandPipe() {
    if (stream_ != nullptr) ::_pclose(stream_);
  }
  CommandPipe(const CommandPipe&) = delete;
  CommandPipe& operator=(const CommandPipe&) = delete;
  std::FILE* get() const { return stream_; }

 private:
  std::FILE* stream_;
};

}  // namespace

std::u16string temporaryScriptPath(const std::u16string& prefix, const std::u16string& extension) {
  wchar_t folder[kPathCapacity + 1] = {};
  if (GetTempPathW(kPathCapacity, folder) == 0) {
    throw SystemError("Cannot determine path for temporary files", GetLastError());
  }
  wchar_t name[kPathCapacity + 1] = {};
  if (GetTempFileNameW(folder, wide(prefix), 0, name) == 0) {
    throw SystemError("Cannot determine path for temporary file", GetLastError());
  }
  DeleteFileW(name);
  return utf16(name) + u"." + extension;
}

void removeFile(const std::u16string& path) { DeleteFileW(wide(path)); }

std::string runWithCommandInterpreter(const std::string& commandLine) {
  const CommandPipe pipe(commandLine);
  if (pipe.get() == nullptr) {
    throw SystemError("Cannot start the command interpreter", GetLastError());
  }
  std::fflush(pipe.get());
  std::string output;
  char buffer[kReadSize];
  while (!std::feof(pipe.get())) {
    const size_t count = std::fread(buffer, 1, sizeof buffer, pipe.get());
    output.append(buffer, count);
    if (count == 0 && std::ferror(pipe.get())) break;  // a broken pipe never reaches its end
  }
  return output;
}

}  // namespace platform
