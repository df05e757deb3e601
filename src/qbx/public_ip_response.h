// Reading the address out of an IP-echo service's first packet.
#ifndef QBX_PUBLIC_IP_RESPONSE_H_
#define QBX_PUBLIC_IP_RESPONSE_H_

#include <cstddef>
#include <cstdint>

#include "qbx/public_ip_services.h"

namespace qbx {

inline constexpr size_t kReceiveCapacity = 16000;
inline constexpr size_t kAddressCapacity = 16;
inline constexpr int16_t kNoAddressInAnswer = -8;

// Finds the service's marker in the `length` received bytes and reads the address text behind
// it up to the terminator: 15 characters at most, digits and exactly three dots, no group longer
// than three digits. `received` holds at least one zero byte after the received ones. Fills
// `address` (kAddressCapacity bytes, zeroed by the caller) and answers 0, or -8.
int16_t readPublicAddress(const char* received, size_t length, const PublicIPService& service,
                          char* address);

}  // namespace qbx

#endif  // QBX_PUBLIC_IP_RESPONSE_H_
