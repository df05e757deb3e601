// Sockets and the resolver on POSIX. Connect, send and receive are made to wait at most their
// time-out with poll(): without one, a service that accepts and never answers would hold
// FileMaker for ever.
#include "platform/sockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace platform {

namespace {

int millisecondsOf(std::chrono::milliseconds timeout) {
  return static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, timeout.count()));
}

// Waits until the socket is ready for `events`; Failed sets errno.
IoResult waitFor(int handle, short events, std::chrono::milliseconds timeout) {
  pollfd descriptor{handle, events, 0};
  while (true) {
    const int ready = ::poll(&descriptor, 1, millisecondsOf(timeout));
    if (ready > 0) return IoResult::Done;
    if (ready == 0) {
      errno = ETIMEDOUT;
      return IoResult::TimedOut;
    }
    if (errno != EINTR) return IoResult::Failed;
  }
}

}  // namespace

SocketLibrary::SocketLibrary(int major, int) : started_(true), majorVersion_(major) {}

SocketLibrary::~SocketLibrary() = default;

ResolvedHost::ResolvedHost(const char* host, uint16_t port) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* list = nullptr;
  const std::string service = std::to_string(port);
  if (::getaddrinfo(host, service.c_str(), &hints, &list) == 0) list_ = list;
}

ResolvedHost::~ResolvedHost() {
  if (list_ != nullptr) ::freeaddrinfo(static_cast<addrinfo*>(list_));
}

StreamSocket::StreamSocket(const ResolvedHost& host) {
  const auto* first = static_cast<const addrinfo*>(host.list_);
  if (first == nullptr) return;
  address_ = first;
  const int handle =
      ::socket(first->ai_family, first->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK,
               first->ai_protocol);
  if (handle < 0) {
    lastError_ = static_cast<uint32_t>(errno);
    return;
  }
  handle_ = handle;
}

StreamSocket::~StreamSocket() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

bool StreamSocket::created() const { return handle_ >= 0; }

IoResult StreamSocket::connect(std::chrono::milliseconds timeout) {
  const auto* address = static_cast<const addrinfo*>(address_);
  const int handle = static_cast<int>(handle_);
  if (::connect(handle, address->ai_addr, address->ai_addrlen) == 0) return IoResult::Done;
  if (errno != EINPROGRESS && errno != EINTR) {
    lastError_ = static_cast<uint32_t>(errno);
    return IoResult::Failed;
  }
  const IoResult waited = waitFor(handle, POLLOUT, timeout);
  if (waited != IoResult::Done) {
    lastError_ = static_cast<uint32_t>(errno);
    return waited;
  }
  int error = 0;
  socklen_t size = sizeof error;
  ::getsockopt(handle, SOL_SOCKET, SO_ERROR, &error, &size);
  if (error == 0) return IoResult::Done;
  lastError_ = static_cast<uint32_t>(error);
  return IoResult::Failed;
}

IoResult StreamSocket::send(const void* bytes, size_t length, std::chrono::milliseconds timeout) {
  const int handle = static_cast<int>(handle_);
  const IoResult waited = waitFor(handle, POLLOUT, timeout);
  if (waited != IoResult::Done) {
    lastError_ = static_cast<uint32_t>(errno);
    return waited;
  }
  if (::send(handle, bytes, length, MSG_NOSIGNAL) < 0) {
    lastError_ = static_cast<uint32_t>(errno);
    return IoResult::Failed;
  }
  return IoResult::Done;
}

IoResult StreamSocket::receive(void* buffer, size_t capacity, size_t& received,
                               std::chrono::milliseconds timeout) {
  received = 0;
  const int handle = static_cast<int>(handle_);
  const IoResult waited = waitFor(handle, POLLIN, timeout);
  if (waited != IoResult::Done) {
    lastError_ = static_cast<uint32_t>(errno);
    return waited;
  }
  const ssize_t count = ::recv(handle, buffer, capacity, 0);
  if (count < 0) {
    lastError_ = static_cast<uint32_t>(errno);
    return IoResult::Failed;
  }
  received = static_cast<size_t>(count);
  return IoResult::Done;
}

std::string errorText(uint32_t error) {
  char buffer[256];
  // The GNU strerror_r answers its text, which may or may not be in the buffer.
  return ::strerror_r(static_cast<int>(error), buffer, sizeof buffer);
}

uint32_t parseIPv4(const char* text) { return ::inet_addr(text); }

std::optional<std::string> hostNameOf(uint32_t address) {
  hostent entry{};
  hostent* found = nullptr;
  int error = 0;
  std::vector<char> scratch(4096);
  while (::gethostbyaddr_r(&address, sizeof address, AF_INET, &entry, scratch.data(),
                           scratch.size(), &found, &error) == ERANGE) {
    scratch.resize(scratch.size() * 2);
  }
  if (found == nullptr || found->h_name == nullptr) return std::nullopt;
  return std::string(found->h_name);
}

std::optional<std::string> firstAddressOf(const char* name, uint32_t& error) {
  hostent entry{};
  hostent* found = nullptr;
  int resolverError = 0;
  std::vector<char> scratch(4096);
  while (::gethostbyname_r(name, &entry, scratch.data(), scratch.size(), &found,
                           &resolverError) == ERANGE) {
    scratch.resize(scratch.size() * 2);
  }
  if (found == nullptr || found->h_addr_list == nullptr || found->h_addr_list[0] == nullptr ||
      found->h_addrtype != AF_INET) {
    error = static_cast<uint32_t>(resolverError != 0 ? resolverError : HOST_NOT_FOUND);
    return std::nullopt;
  }
  char text[INET_ADDRSTRLEN] = {};
  ::inet_ntop(AF_INET, found->h_addr_list[0], text, sizeof text);
  return std::string(text);
}

}  // namespace platform
