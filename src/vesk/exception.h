// The one exception the plug-in's own code throws: a message and the error whose number the user
// sees. Every external function catches it first.
#ifndef VESK_EXCEPTION_H_
#define VESK_EXCEPTION_H_

#include <cstdint>
#include <memory>
#include <stdexcept>

#include "vesk/error.h"

namespace vesk {

class Exception : public std::runtime_error {
 public:
  Exception(std::shared_ptr<Error> error, const char* message);
  Exception(std::shared_ptr<Error> error, const std::string& message)
      : Exception(std::move(error), message.c_str()) {}
  Exception(const Exception& other) = default;

  const std::shared_ptr<Error>& error() const { return error_; }
  int32_t errorNumber() const { return error_ ? error_->getErrorNumber() : 0; }

 private:
  std::shared_ptr<Error> error_;
};

// Throws an Exception with a BasicError of `number`.
[[noreturn]] void fail(int32_t number, const char* message);

}  // namespace vesk

#endif  // VESK_EXCEPTION_H_
