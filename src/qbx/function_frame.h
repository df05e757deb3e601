// The common frame of every external function: the body runs inside it, and whatever it raises
// becomes the last error, a number result and a host error code. Nothing raised gets past it:
// an exception that reaches FileMaker takes the whole application down.
#ifndef QBX_FUNCTION_FRAME_H_
#define QBX_FUNCTION_FRAME_H_

#include <cstdint>
#include <exception>

#include "fm/api.h"
#include "vesk/exception.h"

namespace qbx {

// What a function answers the host after a failure: the recorded number, or 0 so that the host
// sees no error and the number stands only in the result and the last-error state.
enum class HostCode { Recorded, AlwaysZero };

// Sets the result to `number`, sign-extended, as a number.
void setNumberResult(FM_Data* result, int16_t number);

// For the functions a server or web-publishing host cannot run: there, sets the result to -4,
// records no error and answers true. Call it inside the frame, since setting the result is a
// host call that can fail.
bool answeredAsServerHost(FM_Data* result);

// Record the exception and, for a non-zero number, make it the result. They answer the number.
int16_t handleException(const vesk::Exception& exception, FM_Data* result);
int16_t handleStdException(const std::exception& exception, FM_Data* result);
int16_t handleUnknownException(FM_Data* result);

// Runs `body` (returning the host code of a finished call, usually 0) inside the frame.
template <typename Body>
int16_t runInFrame(HostCode hostCode, FM_Data* result, Body&& body) noexcept {
  int16_t number = 0;
  try {
    try {
      return body();
    } catch (const vesk::Exception& exception) {
      number = handleException(exception, result);
    } catch (const std::exception& exception) {
      number = handleStdException(exception, result);
    } catch (...) {
      number = handleUnknownException(result);
    }
  } catch (...) {
    // Recording itself failed (the host or the heap gave out): the last error may be stale, but
    // the host must still get an answer.
    number = 2400;
  }
  return hostCode == HostCode::Recorded ? number : 0;
}

// An external function's signature, as the host calls it.
using FunctionBody = int16_t (*)(const FM_ExprEnv* environment, const FM_DataVect* parameters,
                                 FM_Data* result);

}  // namespace qbx

#endif  // QBX_FUNCTION_FRAME_H_
