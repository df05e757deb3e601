// The plug-in's one last-error state: the number and message of the most recent failure, which
// users read back with Quibo_Get( "lastError" ) and Quibo_Get( "lastErrorMessage" ).
//
// Touched only during the host's calls, which come one at a time on its main thread; no lock.
#ifndef QBX_LAST_ERROR_H_
#define QBX_LAST_ERROR_H_

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

namespace vesk {
class Exception;
}

namespace qbx {

// Error numbers that reach users.
enum ErrorNumber : int16_t {
  kNoError = 0,
  kNotAvailableHere = -4,
  kBadParameter = -50,
  kScheduledTooFarAhead = -1001,
  kGeneralFailure = 2400,
};

class LastError {
 public:
  static int16_t number();
  // The stored message, or null when none was ever stored.
  static std::shared_ptr<const std::string> message();

  // Stores both as given, with no filtering; answers the number.
  static int16_t record(int16_t number, const std::string& message);
  // Only 0, -4 and -50 pass unchanged; any other number (a Windows error code, say) is 2400.
  static int16_t recordException(const vesk::Exception& exception);
  static int16_t recordStdException(const std::exception& exception);
  static int16_t recordUnknownException();
  // Records `failure` by its kind, as the three above do; a null pointer records nothing.
  static int16_t recordFailure(std::exception_ptr failure);
};

}  // namespace qbx

#endif  // QBX_LAST_ERROR_H_
