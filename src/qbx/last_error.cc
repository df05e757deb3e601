#include "qbx/last_error.h"

#include "vesk/exception.h"

namespace qbx {

namespace {
int16_t lastErrorNumber = kNoError;
// Each recording makes a new string and swaps the pointer, so a message handed out earlier stays
// valid for whoever holds it.
std::shared_ptr<const std::string> lastErrorMessage;
}  // namespace

int16_t LastError::number() { return lastErrorNumber; }

std::shared_ptr<const std::string> LastError::message() { return lastErrorMessage; }

int16_t LastError::record(int16_t number, const std::string& message) {
  auto replacement = std::make_shared<const std::string>(message);
  lastErrorNumber = number;
  lastErrorMessage = std::move(replacement);
  return number;
}

int16_t LastError::recordException(const vesk::Exception& exception) {
  const auto lowBits = static_cast<int16_t>(exception.error()->getErrorNumber());
  const bool passesUnchanged =
      lowBits == kNotAvailableHere || lowBits == kBadParameter || lowBits == kNoError;
  return record(passesUnchanged ? lowBits : int16_t{kGeneralFailure}, exception.what());
}

int16_t LastError::recordStdException(const std::exception& exception) {
  return record(kGeneralFailure, exception.what());
}

int16_t LastError::recordUnknownException() {
  return record(kGeneralFailure, "Unknown fatal error occured");
}

int16_t LastError::recordFailure(std::exception_ptr failure) {
  if (!failure) return kNoError;
  try {
    std::rethrow_exception(failure);
  } catch (const vesk::Exception& exception) {
    return recordException(exception);
  } catch (const std::exception& exception) {
    return recordStdException(exception);
  } catch (...) {
    return recordUnknownException();
  }
}

}  // namespace qbx
