// The operating system as the plug-in sees it: one small interface per concern, implemented once
// for POSIX (posix/) and once for Win32 (win32/), chosen by the build. Logic files call these and
// carry no platform conditionals.
//
// Failures are reported with the system's own error code (errno, or GetLastError() on Windows) in
// a platform::SystemError, which vesk maps to its error numbers in one place.
#ifndef PLATFORM_PLATFORM_H_
#define PLATFORM_PLATFORM_H_

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

// A failed system call: `code` is errno on POSIX, GetLastError() on Windows.
class SystemError : public std::runtime_error {
 public:
  SystemError(const std::string& what, uint32_t code) : std::runtime_error(what), code_(code) {}
  uint32_t code() const { return code_; }

 private:
  uint32_t code_;
};

// Which platform this build is for.
enum class Kind { Posix, Windows };
Kind kind();
// The platform name the plug-in reports: "Linux" or "Windows".
const char* name();

// ---- String resources ---------------------------------------------------------------------------
// Loads string resource `id` of the plug-in module `module` into `buffer` as LoadStringW does:
// at most limit - 1 units and a terminating NUL; answers the number of units copied (0 when the
// resource does not exist, leaving an empty string).
int loadString(void* module, uint32_t id, char16_t* buffer, int limit);

// ---- Clock -------------------------------------------------------------------------------------
// Now in local time, as 100-nanosecond ticks since 1601-01-01 00:00:00, in whole milliseconds.
uint64_t localTimeTicksSince1601();

// ---- Code pages --------------------------------------------------------------------------------
enum class CodePage { Utf8, Ansi, Oem };
// Converts NUL-terminated narrow text in `codePage` to UTF-16, up to its NUL. Characters the code
// page cannot hold are replaced, never reported.
std::u16string toWide(const char* narrow, CodePage codePage);
// Converts `length` UTF-16 units to narrow text in `codePage`.
std::string toNarrow(const char16_t* wide, size_t length, CodePage codePage);

// ---- Files -------------------------------------------------------------------------------------
// Creates a new file at `path` (failing when it exists) and writes `length` bytes in one call.
// Throws SystemError when the file cannot be created; answers false when the write failed.
bool writeNewFile(const std::u16string& path, const void* bytes, size_t length);

}  // namespace platform

#endif  // PLATFORM_PLATFORM_H_
