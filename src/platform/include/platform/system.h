// The operating system as the plug-in sees it: one small interface per concern, implemented once
// for POSIX (posix/) and once for Win32 (win32/), chosen by the build. Logic files call these and
// carry no platform conditionals.
//
// Failures are reported with the system's own error code (errno, or GetLastError() on Windows) in
// a platform::SystemError, which vesk maps to its error numbers in one place.
#ifndef PLATFORM_SYSTEM_H_
#define PLATFORM_SYSTEM_H_

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

}  // namespace platform

#endif  // PLATFORM_SYSTEM_H_
