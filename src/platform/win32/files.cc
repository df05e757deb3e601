// Files on Win32. The path is always given the extended-length prefix \\?\, which lifts the
// MAX_PATH limit and turns off the path parsing that would otherwise rewrite it; CREATE_NEW
// makes an existing file an error (ERROR_FILE_EXISTS) instead of overwriting it.
#include "platform/files.h"

#include <windows.h>

#include "wide_text.h"

namespace platform {

bool writeNewFile(const std::u16string& path, const void* bytes, size_t length) {
  const std::u16string extended = u"\\\\?\\" + path;
  HANDLE file = CreateFileW(wide(extended), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    throw SystemError("Cannot open file for writing", GetLastError());
  }
  DWORD written = 0;
  // One call, as the caller asked; the count written is not checked, only the call's success.
  const BOOL wrote = WriteFile(file, bytes, static_cast<DWORD>(length), &written, nullptr);
  CloseHandle(file);
  return wrote != FALSE;
}

}  // namespace platform
