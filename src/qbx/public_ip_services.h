// The IP-echo HTTP services that Quibo_GetClientPublicIPAddress asks, in order.
#ifndef QBX_PUBLIC_IP_SERVICES_H_
#define QBX_PUBLIC_IP_SERVICES_H_

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

namespace qbx {

// The address text after the marker ends at this byte; kEndOfData reads to the end of what was
// received.
inline constexpr int kEndOfData = -1;

struct PublicIPService {
  std::string host;  // at most 228 characters, so that the request fits its buffer
  uint16_t port = 80;
  const char* marker;  // matched byte for byte
  int terminator;      // a byte value, or kEndOfData
};

using PublicIPServices = std::array<PublicIPService, 3>;

// The three rows. QUIBO_PUBLIC_IP_SERVICES, when set, replaces their hosts: "host[:port]" three
// times, separated by commas (port 80 when none is given), so that tests can point the rows at
// servers of their own. Read at every call.
PublicIPServices publicIPServices();

// How long one connect, send or receive may wait: QUIBO_NETWORK_TIMEOUT_MS, else five seconds.
std::chrono::milliseconds networkTimeout();

}  // namespace qbx

#endif  // QBX_PUBLIC_IP_SERVICES_H_
