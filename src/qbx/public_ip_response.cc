#include "qbx/public_ip_response.h"

#include <algorithm>
#include <cstring>

namespace qbx {

namespace {
constexpr size_t kMaximumAddressLength = 15;
constexpr int kMaximumGroupLength = 3;
constexpr int kDotsInAnAddress = 3;
}  // namespace

int16_t readPublicAddress(const char* received, size_t length, const PublicIPService& service,
                          char* address) {
  const char* end = received + length;
  const char* marker = std::search(received, end, service.marker,
                                   service.marker + std::strlen(service.marker));
  if (marker == end) return kNoAddressInAnswer;
  // The zero byte behind the received ones ends the text of the end-of-data row, and stops the
  // others too: it is no digit.
  const char* text = marker + std::strlen(service.marker);
  const int terminator = service.terminator == kEndOfData ? 0 : service.terminator;
  if (static_cast<unsigned char>(*text) == terminator) return kNoAddressInAnswer;

  size_t count = 0;
  int dots = 0;
  int groupLength = 0;
  for (; static_cast<unsigned char>(*text) != terminator; ++text) {
    if (++count > kMaximumAddressLength) return kNoAddressInAnswer;
    address[count - 1] = *text;
    if (*text == '.') {
      ++dots;
      groupLength = 0;
      continue;
    }
    if (*text < '0' || *text > '9') return kNoAddressInAnswer;
    if (++groupLength > kMaximumGroupLength) return kNoAddressInAnswer;
  }
  if (dots != kDotsInAnAddress) return kNoAddressInAnswer;
  address[count] = '\0';
  return 0;
}

}  // namespace qbx
