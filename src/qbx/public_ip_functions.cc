// Quibo_GetClientPublicIPAddress: the machine's address as the Internet sees it, asked of the
// IP-echo services one after the other until one answers with an address.
#include <cstdio>
#include <cstring>
#include <string>

#include "fm/objects.h"
#include "platform/sockets.h"
#include "qbx/function_frame.h"
#include "qbx/functions.h"
#include "qbx/last_error.h"
#include "qbx/public_ip_query.h"
#include "qbx/public_ip_response.h"
#include "qbx/public_ip_services.h"
#include "vesk/exception.h"

namespace qbx {

namespace {

constexpr size_t kBufferSize = 255;
constexpr int kConnectRetries = 10;  // after the first connect: eleven in all

// One of each for the whole plug-in: the host calls one function at a time.
char hostNameBuffer[kBufferSize];
char requestBuffer[kBufferSize];

// The request line, one Host header and the empty line: nothing else is sent.
void buildPublicIPRequest(const std::string& host) {
  // Both copies cut what does not fit, as the fixed buffers are meant to.
  (void)std::snprintf(hostNameBuffer, sizeof hostNameBuffer, "%s", host.c_str());
  const std::string request = std::string("GET / HTTP/1.1\r\nHost: ") + hostNameBuffer + "\r\n\r\n";
  (void)std::snprintf(requestBuffer, sizeof requestBuffer, "%s", request.c_str());
}

// Connects, retrying at once after a refusal, eleven times at most; a connect that times out
// ends the attempt, so that the whole call stays bounded.
bool connectWithRetries(platform::StreamSocket& socket, std::chrono::milliseconds timeout) {
  for (int failures = 0;; ++failures) {
    const platform::IoResult result = socket.connect(timeout);
    if (result == platform::IoResult::Done) return true;
    // A diagnostic only: nothing depends on its reaching the output.
    (void)std::printf("Error while connecting: %s",
                      platform::errorText(socket.lastError()).c_str());
    (void)std::fflush(stdout);
    if (result == platform::IoResult::TimedOut || failures >= kConnectRetries) return false;
  }
}

}  // namespace

int16_t queryPublicIPService(const PublicIPService& service, char* result) {
  char received[kReceiveCapacity + 1] = {};  // the zero behind the data ends every search
  char address[kAddressCapacity] = {};
  const platform::SocketLibrary library(1, 0);
  if (!library.started() || library.majorVersion() < 1) return kNoSocketLibrary;
  buildPublicIPRequest(service.host);

  const platform::ResolvedHost host(hostNameBuffer, service.port);
  if (!host.resolved()) return kNotResolved;
  platform::StreamSocket socket(host);
  if (!socket.created()) return kNoSocket;
  const std::chrono::milliseconds timeout = networkTimeout();
  if (!connectWithRetries(socket, timeout)) return kNotConnected;
  if (socket.send(requestBuffer, std::strlen(requestBuffer), timeout) != platform::IoResult::Done) {
    return kNotSent;
  }
  size_t length = 0;
  if (socket.receive(received, kReceiveCapacity, length, timeout) != platform::IoResult::Done) {
    return kNotReceived;
  }
  const int16_t code = readPublicAddress(received, length, service, address);
  std::memcpy(result, address, kAddressCapacity);
  result[kAddressCapacity] = '\0';
  return code;
}

int16_t Quibo_GetClientPublicIPAddress(int16_t, const FM_ExprEnv*, const FM_DataVect*,
                                       FM_Data* result) {
  return runInFrame(HostCode::AlwaysZero, result, [&] {
    char address[kResultSize] = {};
    int16_t code = kFound;
    for (const PublicIPService& service : publicIPServices()) {
      code = queryPublicIPService(service, address);
      if (code == kFound) break;
    }
    if (code != kFound) vesk::fail(code, "Public IP is not available");
    fm::Text text;
    text.assign(address);
    fm::setText(result, text);
    return 0;
  });
}

}  // namespace qbx
