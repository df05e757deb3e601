#include "vesk/error.h"

#include <cerrno>

#include "platform/system.h"

namespace vesk {

namespace {

// The plug-in's error numbers for system failures.
constexpr int32_t kNoError = 0;
constexpr int32_t kFileNotFound = -43;
constexpr int32_t kFileExists = -48;
constexpr int32_t kOutOfMemory = -620;
constexpr int32_t kAccessDenied = -3200;
constexpr int32_t kBusy = -3215;
constexpr int32_t kDeadlock = -3234;
constexpr int32_t kTimeout = -3259;
constexpr int32_t kUnknownError = 2400;

}  // namespace

int32_t WindowsLastError::getErrorNumber() const {
  switch (code_) {
    case 0:  // ERROR_SUCCESS
      return kNoError;
    case 2:  // ERROR_FILE_NOT_FOUND
    case 3:  // ERROR_PATH_NOT_FOUND
    case 6:  // ERROR_INVALID_HANDLE
      return kFileNotFound;
    case 5:  // ERROR_ACCESS_DENIED
      return kAccessDenied;
    case 8:  // ERROR_NOT_ENOUGH_MEMORY
      return kOutOfMemory;
    case 80:   // ERROR_FILE_EXISTS
    case 183:  // ERROR_ALREADY_EXISTS
      return kFileExists;
    case 87:  // ERROR_INVALID_PARAMETER
      return kBadParameter;
    case 170:  // ERROR_BUSY
      return kBusy;
    case 1131:  // ERROR_POSSIBLE_DEADLOCK
      return kDeadlock;
    case 1460:  // ERROR_TIMEOUT
      return kTimeout;
    default:
      return kUnknownError;
  }
}

int32_t PosixError::getErrorNumber() const {
  switch (static_cast<int>(code_)) {
    case 0:
      return kNoError;
    case ENOENT:
    case ENOTDIR:
    case EBADF:
      return kFileNotFound;
    case EACCES:
    case EPERM:
      return kAccessDenied;
    case ENOMEM:
      return kOutOfMemory;
    case EEXIST:
      return kFileExists;
    case EINVAL:
      return kBadParameter;
    case EBUSY:
      return kBusy;
    case EDEADLK:
      return kDeadlock;
    case ETIMEDOUT:
      return kTimeout;
    default:
      return kUnknownError;
  }
}

std::shared_ptr<Error> basicError(int32_t number) { return std::make_shared<BasicError>(number); }

std::shared_ptr<Error> windowsLastError(uint32_t code) {
  return std::make_shared<WindowsLastError>(code);
}

std::shared_ptr<Error> systemError(uint32_t code) {
  if (platform::kind() == platform::Kind::Windows) return windowsLastError(code);
  return std::make_shared<PosixError>(code);
}

}  // namespace vesk
