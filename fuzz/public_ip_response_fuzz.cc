// Fuzzes the reading of an IP-echo service's answer: any first packet, for each row's framing,
// must give 0 or -8 without reading outside the receive buffer.
#include <cstdint>
#include <cstring>
#include <memory>

#include "qbx/public_ip_response.h"
#include "qbx/public_ip_services.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > qbx::kReceiveCapacity) size = qbx::kReceiveCapacity;
  // Exactly as large as the plug-in's buffer, so that AddressSanitizer sees any read past it.
  auto received = std::make_unique<char[]>(qbx::kReceiveCapacity + 1);
  std::memset(received.get(), 0, qbx::kReceiveCapacity + 1);
  std::memcpy(received.get(), data, size);
  for (const qbx::PublicIPService& service : qbx::publicIPServices()) {
    char address[qbx::kAddressCapacity] = {};
    const int16_t code = qbx::readPublicAddress(received.get(), size, service, address);
    if (code != 0 && code != qbx::kNoAddressInAnswer) __builtin_trap();
    if (code == 0 && std::strlen(address) > 15) __builtin_trap();
  }
  return 0;
}
