// Script files and child processes on POSIX. FileMaker Server runs plug-ins as its own user with
// a minimal environment, so programs are named by absolute paths and nothing depends on PATH or
// the working folder; no shell stands between the plug-in and the program it starts. Both output pipes are read together with poll(), so that a child that fills
// one of them while the other is being read cannot stall; every child is waited for.
#include "platform/processes.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/code_pages.h"

extern char** environ;

namespace platform {

namespace {

constexpr size_t kReadSize = 2048;

std::string temporaryFolder() {
  const char* configured = std::getenv("TMPDIR");
  if (configured != nullptr && configured[0] == '/') return configured;
  return "/tmp";
}

class Descriptor {
 public:
  explicit Descriptor(int handle = -1) : handle_(handle) {}
  ~Descriptor() { reset(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return handle_; }
  void reset(int handle = -1) {
    if (handle_ >= 0) ::close(handle_);
    handle_ = handle;
  }

 private:
  int handle_;
};

struct Pipe {
  Descriptor read;
  Descriptor write;
};

// Waits for the child when it goes, on every path: no run leaves a defunct process behind.
class ChildProcess {
 public:
  ~ChildProcess() {
    if (pid_ <= 0) return;
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
  }
  pid_t* out() { return &pid_; }

 private:
  pid_t pid_ = -1;
};

void makePipe(Pipe& pipe) {
  int ends[2];
  if (::pipe2(ends, O_CLOEXEC) != 0) throw SystemError("Cannot start the script", errno);
  pipe.read.reset(ends[0]);
  pipe.write.reset(ends[1]);
}

}  // namespace

TemporaryFile::TemporaryFile(const std::string& prefix, const std::string& extension,
                             const std::string& contents) {
  std::string pattern = temporaryFolder() + "/" + prefix + "XXXXXX." + extension;
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  // mkstemps makes the file with O_EXCL and mode 0600.
  const int handle = ::mkstemps(name.data(), static_cast<int>(extension.size() + 1));
  if (handle < 0) throw SystemError("Cannot open file for writing", errno);
  Descriptor file(handle);
  path_ = name.data();
  size_t written = 0;
  while (written < contents.size()) {
    const ssize_t count = ::write(handle, contents.data() + written, contents.size() - written);
    if (count < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::unlink(path_.c_str());
      throw SystemError("Cannot open file for writing", static_cast<uint32_t>(error));
    }
    written += static_cast<size_t>(count);
  }
}

TemporaryFile::~TemporaryFile() {
  if (!path_.empty()) ::unlink(path_.c_str());
}

ProgramOutput runProgram(const std::vector<std::string>& arguments) {
  ChildProcess child;  // declared first: waited for after both pipes are closed
  Pipe output;
  Pipe error;
  makePipe(output);
  makePipe(error);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, output.write.get(), STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, error.write.get(), STDERR_FILENO);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  const int spawned = arguments.empty() ? EINVAL
                                        : ::posix_spawn(child.out(), argv[0], &actions, nullptr,
                                                        argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw SystemError("Cannot start the script", static_cast<uint32_t>(spawned));
  output.write.reset();
  error.write.reset();

  ProgramOutput result;
  pollfd streams[2] = {{output.read.get(), POLLIN, 0}, {error.read.get(), POLLIN, 0}};
  std::string* targets[2] = {&result.standardOutput, &result.standardError};
  int open = 2;
  char buffer[kReadSize];
  while (open > 0) {
    if (::poll(streams, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int index = 0; index < 2; ++index) {
      if (streams[index].fd < 0 || streams[index].revents == 0) continue;
      const ssize_t count = ::read(streams[index].fd, buffer, sizeof buffer);
      if (count > 0) {
        targets[index]->append(buffer, static_cast<size_t>(count));
      } else if (count == 0 || errno != EINTR) {
        streams[index].fd = -1;  // poll() skips it from now on
        --open;
      }
    }
  }
  return result;
}

std::optional<std::string> findProgram(std::initializer_list<const char*> candidates) {
  for (const char* candidate : candidates) {
    if (::access(candidate, X_OK) == 0) return std::string(candidate);
  }
  return std::nullopt;
}

// The command interpreter here is /bin/sh, started by popen(); the plug-in's own Bash and PHP
// scripts do not use it.
std::u16string temporaryScriptPath(const std::u16string& prefix, const std::u16string& extension) {
  std::string pattern =
      temporaryFolder() + "/" + toNarrow(prefix.data(), prefix.size(), CodePage::Utf8) + "XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int handle = ::mkstemp(name.data());
  if (handle < 0) throw SystemError("Cannot determine path for temporary file", errno);
  ::close(handle);
  ::unlink(name.data());
  return toWide(name.data(), CodePage::Utf8) + u"." + extension;
}

void removeFile(const std::u16string& path) {
  ::unlink(toNarrow(path.data(), path.size(), CodePage::Utf8).c_str());
}

std::string runWithCommandInterpreter(const std::string& commandLine) {
  std::FILE* stream = ::popen(commandLine.c_str(), "r");
  if (stream == nullptr) throw SystemError("Cannot start the command interpreter", errno);
  std::string output;
  char buffer[kReadSize];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, stream)) > 0) output.append(buffer, count);
  ::pclose(stream);
  return output;
}

}  // namespace platform
