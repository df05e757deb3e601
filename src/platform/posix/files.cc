// Files on POSIX: paths are UTF-8, and a new file is made with O_EXCL so that an existing one is
// never overwritten.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/code_pages.h"
#include "platform/files.h"

namespace platform {

bool writeNewFile(const std::u16string& path, const void* bytes, size_t length) {
  std::string narrowPath = toNarrow(path.data(), path.size(), CodePage::Utf8);
  int fd = open(narrowPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    throw SystemError("Cannot open file for writing", static_cast<uint32_t>(errno));
  }
  ssize_t written = write(fd, bytes, length);
  close(fd);
  // As with one WriteFile call, a short count is not checked: only a failed call answers false.
  return written >= 0;
}

}  // namespace platform
