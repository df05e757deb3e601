// The loopback server with Windows Sockets; the socket library stays started while a server
// lives.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <stdexcept>

#include "loopback_server.h"

namespace quibo_test {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

class SocketLibraryUse {
 public:
  SocketLibraryUse() {
    WSADATA data{};
    if (::WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("no Windows Sockets");
  }
  ~SocketLibraryUse() { ::WSACleanup(); }
};

sockaddr_in loopback(uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

uint16_t portOf(SOCKET handle) {
  sockaddr_in address{};
  int size = sizeof address;
  ::getsockname(handle, reinterpret_cast<sockaddr*>(&address), &size);
  return ntohs(address.sin_port);
}

bool readable(SOCKET handle, std::chrono::milliseconds timeout) {
  fd_set ready;
  FD_ZERO(&ready);
  FD_SET(handle, &ready);
  timeval limit{static_cast<long>(timeout.count() / 1000),
                static_cast<long>((timeout.count() % 1000) * 1000)};
  return ::select(0, &ready, nullptr, nullptr, &limit) > 0;
}

SOCKET listenerOf(intptr_t handle) { return static_cast<SOCKET>(handle); }

}  // namespace

LoopbackServer::LoopbackServer(Behaviour behaviour) : behaviour_(std::move(behaviour)) {
  static SocketLibraryUse sockets;
  const SOCKET listener = ::socket(AF_INET, SOCK_STREAM, 0);
  listener_ = static_cast<intptr_t>(listener);
  sockaddr_in address = loopback(0);
  if (listener == INVALID_SOCKET ||
      ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener, 16) != 0) {
    throw std::runtime_error("cannot listen on the loopback address");
  }
  port_ = portOf(listener);
  thread_ = std::thread([this] { serve(); });
}

LoopbackServer::~LoopbackServer() {
  stopping_ = true;
  thread_.join();
  ::closesocket(listenerOf(listener_));
}

std::string LoopbackServer::lastRequest() const {
  const std::lock_guard lock(requestMutex_);
  return lastRequest_;
}

void LoopbackServer::serve() {
  std::vector<SOCKET> silent;  // connections held open without an answer until the end
  const SOCKET listener = listenerOf(listener_);
  while (!stopping_) {
    if (!readable(listener, kPollInterval)) continue;
    const SOCKET connection = ::accept(listener, nullptr, nullptr);
    if (connection == INVALID_SOCKET) continue;
    ++connections_;
    if (behaviour_.waitForRequest && readable(connection, std::chrono::milliseconds(2000))) {
      char request[1024];
      const int count = ::recv(connection, request, sizeof request, 0);
      const std::lock_guard lock(requestMutex_);
      lastRequest_.assign(request, count > 0 ? static_cast<size_t>(count) : 0);
    }
    if (behaviour_.packets.empty()) {
      silent.push_back(connection);
      continue;
    }
    for (size_t index = 0; index < behaviour_.packets.size() && !stopping_; ++index) {
      if (index > 0) std::this_thread::sleep_for(behaviour_.pause);
      const std::string& packet = behaviour_.packets[index];
      ::send(connection, packet.data(), static_cast<int>(packet.size()), 0);
    }
    ::shutdown(connection, SD_SEND);
    ::closesocket(connection);
  }
  for (SOCKET connection : silent) ::closesocket(connection);
}

uint16_t LoopbackServer::refusingPort() {
  static SocketLibraryUse sockets;
  const SOCKET handle = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = loopback(0);
  ::bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof address);
  const uint16_t port = portOf(handle);
  ::closesocket(handle);  // bound but never listening: nobody answers there now
  return port;
}

}  // namespace quibo_test
