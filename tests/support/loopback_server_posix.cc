#include "loopback_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace quibo_test {

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(20);

sockaddr_in loopback(uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

uint16_t portOf(int handle) {
  sockaddr_in address{};
  socklen_t size = sizeof address;
  ::getsockname(handle, reinterpret_cast<sockaddr*>(&address), &size);
  return ntohs(address.sin_port);
}

bool readable(int handle, std::chrono::milliseconds timeout) {
  pollfd descriptor{handle, POLLIN, 0};
  return ::poll(&descriptor, 1, static_cast<int>(timeout.count())) > 0;
}

}  // namespace

LoopbackServer::LoopbackServer(Behaviour behaviour) : behaviour_(std::move(behaviour)) {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = loopback(0);
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener_, 16) != 0) {
    throw std::runtime_error("cannot listen on the loopback address");
  }
  port_ = portOf(listener_);
  thread_ = std::thread([this] { serve(); });
}

LoopbackServer::~LoopbackServer() {
  stopping_ = true;
  thread_.join();
  ::close(listener_);
}

std::string LoopbackServer::lastRequest() const {
  const std::lock_guard lock(requestMutex_);
  return lastRequest_;
}

void LoopbackServer::serve() {
  std::vector<int> silent;  // connections held open without an answer until the end
  while (!stopping_) {
    if (!readable(listener_, kPollInterval)) continue;
    const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    ++connections_;
    if (behaviour_.waitForRequest && readable(connection, std::chrono::milliseconds(2000))) {
      char request[1024];
      const ssize_t count = ::recv(connection, request, sizeof request, 0);
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
      ::send(connection, packet.data(), packet.size(), MSG_NOSIGNAL);
    }
    ::close(connection);
  }
  for (int connection : silent) ::close(connection);
}

uint16_t LoopbackServer::refusingPort() {
  const int handle = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = loopback(0);
  ::bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof address);
  const uint16_t port = portOf(handle);
  ::close(handle);  // bound but never listening: nobody answers there now
  return port;
}

}  // namespace quibo_test
