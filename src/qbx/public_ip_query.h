// One attempt of the public IP look-up against one service.
#ifndef QBX_PUBLIC_IP_QUERY_H_
#define QBX_PUBLIC_IP_QUERY_H_

#include <cstddef>
#include <cstdint>

#include "qbx/public_ip_response.h"
#include "qbx/public_ip_services.h"

namespace qbx {

enum AttemptCode : int16_t {
  kFound = 0,
  kNoSocketLibrary = -1,
  kNotResolved = -3,
  kNoSocket = -4,
  kNotConnected = -5,  // eleven connects failed, or one timed out
  kNotSent = -6,
  kNotReceived = -7,   // the receive failed or timed out
};

inline constexpr size_t kResultSize = kAddressCapacity + 1;

// Asks one service: fills `result` (kResultSize bytes) and answers 0, or one of the codes above,
// or kNoAddressInAnswer. Everything it acquires is released on every path.
int16_t queryPublicIPService(const PublicIPService& service, char* result);

}  // namespace qbx

#endif  // QBX_PUBLIC_IP_QUERY_H_
