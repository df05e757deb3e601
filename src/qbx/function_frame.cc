#include "qbx/function_frame.h"

#include "fm/objects.h"
#include "qbx/last_error.h"
#include "qbx/plugin_state.h"

namespace qbx {

bool answeredAsServerHost(FM_Data* result) {
  if (!isServerHost()) return false;
  setNumberResult(result, kNotAvailableHere);
  return true;
}

void setNumberResult(FM_Data* result, int16_t number) {
  fm::FixPt value;
  value.assign(static_cast<int32_t>(number));
  fm::setNumber(result, value);
}

namespace {
// The number replaces the result only for a real failure; a recorded 0 leaves what the body put.
// Setting it may fail in turn (the host is out of memory, say): the error is recorded already,
// so that failure is dropped rather than raised out of the frame.
int16_t answerWith(int16_t number, FM_Data* result) {
  if (number == 0) return number;
  try {
    setNumberResult(result, number);
  } catch (...) {
  }
  return number;
}
}  // namespace

int16_t handleException(const vesk::Exception& exception, FM_Data* result) {
  return answerWith(LastError::recordException(exception), result);
}

int16_t handleStdException(const std::exception& exception, FM_Data* result) {
  return answerWith(LastError::recordStdException(exception), result);
}

int16_t handleUnknownException(FM_Data* result) {
  return answerWith(LastError::recordUnknownException(), result);
}

}  // namespace qbx
