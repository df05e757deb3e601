#include "qbx/public_ip_services.h"

#include <cstdlib>
#include <sstream>

namespace qbx {

namespace {

constexpr auto kDefaultTimeout = std::chrono::milliseconds(5000);
constexpr size_t kMaximumHostLength = 228;

// Each row's host was chosen because it answers GET / with the bare address in the body; the
// marker then says in which framing the row expects it.
PublicIPServices defaultServices() {
  return {{
      // A chunked answer whose one chunk is the address and a line feed: "d" (13 bytes) fits the
      // addresses of 12 characters exactly, as this row has always done.
      {"icanhazip.com", 80, "\r\n\r\nd\r\n", '\n'},
      // A chunked answer whose chunk is the bare address, ended by the chunk's CR LF: "b" (11
      // bytes) fits the addresses of 11 characters.
      {"api.ipify.org", 80, "\r\n\r\nb\r\n", '\r'},
      // A plain answer after a "Connection: close" header, the body being the bare address up
      // to the end of the data.
      {"checkip.amazonaws.com", 80, "close\r\n\r\n", kEndOfData},
  }};
}

// "host[:port]"; a port that is not a number in 1 to 65535 leaves 80.
void applyOverride(const std::string& entry, PublicIPService& service) {
  std::string host = entry;
  uint16_t port = 80;
  const size_t colon = entry.rfind(':');
  if (colon != std::string::npos) {
    host = entry.substr(0, colon);
    char* end = nullptr;
    const long number = std::strtol(entry.c_str() + colon + 1, &end, 10);
    if (end != nullptr && *end == '\0' && number > 0 && number <= 65535) {
      port = static_cast<uint16_t>(number);
    }
  }
  if (host.size() > kMaximumHostLength) host.resize(kMaximumHostLength);
  service.host = host;
  service.port = port;
}

}  // namespace

PublicIPServices publicIPServices() {
  PublicIPServices services = defaultServices();
  const char* configured = std::getenv("QUIBO_PUBLIC_IP_SERVICES");
  if (configured == nullptr) return services;
  std::istringstream entries(configured);
  std::string entry;
  for (PublicIPService& service : services) {
    if (!std::getline(entries, entry, ',')) break;
    if (!entry.empty()) applyOverride(entry, service);
  }
  return services;
}

std::chrono::milliseconds networkTimeout() {
  const char* configured = std::getenv("QUIBO_NETWORK_TIMEOUT_MS");
  if (configured == nullptr) return kDefaultTimeout;
  char* end = nullptr;
  const long milliseconds = std::strtol(configured, &end, 10);
  if (end == configured || *end != '\0' || milliseconds <= 0) return kDefaultTimeout;
  return std::chrono::milliseconds(milliseconds);
}

}  // namespace qbx
