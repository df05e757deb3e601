#include "vesk/exception.h"

namespace vesk {

Exception::Exception(std::shared_ptr<Error> error, const char* message)
    : std::runtime_error(message == nullptr ? "" : message), error_(std::move(error)) {}

void fail(int32_t number, const char* message) { throw Exception(basicError(number), message); }

}  // namespace vesk
