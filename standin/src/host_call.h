// The frame of every host API call: call counting, failure injection, object accounting and the
// translation of C++ failures into error-record codes. No exception may leave an API function,
// since the caller is a plug-in across a C boundary.
#ifndef STANDIN_HOST_CALL_H_
#define STANDIN_HOST_CALL_H_

#include <cstdint>
#include <new>
#include <utility>

#include "fm/api.h"

namespace standin {

inline void setErrorCode(FM_ErrorRecord* error, int32_t code) {
  if (error != nullptr) error->code = code;
}

// What every host call reads and counts, apart from the rest of the accounting: the calls made
// so far and the armed failure injection.
struct HostCallState {
  int64_t calls = 0;
  int64_t countdown = 0;  // calls until the injected failure; 0 when none is armed
  bool firing = false;    // a sticky failure that has fired keeps firing
};
extern HostCallState hostCalls;

// The rest of beginHostCall while a failure injection is armed or firing.
bool beginCallWithInjection(FM_ErrorRecord* error);

// Counts one host call and clears its error record. Answers false, with the injected code in the
// record, when this call is the one chosen to fail. Inline, as every host call starts with it.
inline bool beginHostCall(FM_ErrorRecord* error) {
  ++hostCalls.calls;
  setErrorCode(error, FM_ERROR_NONE);
  if (hostCalls.countdown == 0 && !hostCalls.firing) [[likely]] return true;
  return beginCallWithInjection(error);
}
// The code of the failure injected into the current call (valid after beginHostCall failed).
int32_t injectedCode();
void countObject(const char* kind, int delta);
// Counts one FM_ExprEnv_Evaluate call.
void countEvaluation();

// Runs `body`, turning a C++ failure into `failed` and its code in the error record.
template <typename Result, typename Body>
Result guarded(FM_ErrorRecord* error, Result failed, Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    setErrorCode(error, FM_ERROR_OUT_OF_MEMORY);
  } catch (...) {
    setErrorCode(error, FM_ERROR_GENERIC);
  }
  return failed;
}

// Runs `body` as one host call; a failure answers `failed`, with the code in the error record.
template <typename Result, typename Body>
Result hostCall(FM_ErrorRecord* error, Result failed, Body&& body) noexcept {
  if (!beginHostCall(error)) return failed;
  return guarded<Result>(error, failed, std::forward<Body>(body));
}

template <typename Body>
void hostCallVoid(FM_ErrorRecord* error, Body&& body) noexcept {
  hostCall(error, 0, [&] {
    body();
    return 0;
  });
}

// Makes an object for a Constructor call and counts it.
template <typename T, typename... Arguments>
T* constructObject(const char* kind, FM_ErrorRecord* error, Arguments&&... arguments) noexcept {
  return hostCall<T*>(error, nullptr, [&] {
    T* object = new T{std::forward<Arguments>(arguments)...};
    countObject(kind, +1);
    return object;
  });
}

// Deletes an object for a Delete call. Deleting never fails, as a destructor cannot: an
// injected failure is not spent on it, so that failure sweeps over a plug-in test its own paths.
template <typename T>
void deleteObject(const char* kind, T* object, FM_ErrorRecord* error) noexcept {
  setErrorCode(error, FM_ERROR_NONE);
  if (object == nullptr) return;
  delete object;
  countObject(kind, -1);
}

}  // namespace standin

#endif  // STANDIN_HOST_CALL_H_
