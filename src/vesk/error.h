// Errors that carry an error number: the number a FileMaker user sees as the last error.
#ifndef VESK_ERROR_H_
#define VESK_ERROR_H_

#include <cstdint>
#include <memory>

#include "vesk/object.h"

namespace vesk {

// The number of every bad or missing parameter.
inline constexpr int32_t kBadParameter = -50;

class Error : public Object {
 public:
  virtual int32_t getErrorNumber() const = 0;
};

class BasicError : public Error {
 public:
  explicit BasicError(int32_t number) : number_(number) {}
  int32_t getErrorNumber() const override { return number_; }

 private:
  int32_t number_;
};

// A Windows error code (GetLastError), mapped to the error numbers of the plug-in.
class WindowsLastError : public Error {
 public:
  explicit WindowsLastError(uint32_t code) : code_(code) {}
  int32_t getErrorNumber() const override;
  uint32_t code() const { return code_; }

 private:
  uint32_t code_;
};

// An errno value, mapped as the Windows code of the same meaning is.
class PosixError : public Error {
 public:
  explicit PosixError(uint32_t code) : code_(code) {}
  int32_t getErrorNumber() const override;
  uint32_t code() const { return code_; }

 private:
  uint32_t code_;
};

std::shared_ptr<Error> basicError(int32_t number);
std::shared_ptr<Error> windowsLastError(uint32_t code);
// The error of a failed system call on this platform: `code` is what platform::SystemError
// carries (GetLastError() on Windows, errno elsewhere).
std::shared_ptr<Error> systemError(uint32_t code);

}  // namespace vesk

#endif  // VESK_ERROR_H_
