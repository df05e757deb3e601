// Windows Sockets. The socket library is started and released around each use (WSAStartup,
// WSACleanup); connect, send and receive wait at most their time-out with select() on a
// non-blocking socket: without one, a service that accepts and never answers would hold
// FileMaker for ever.
#include "platform/sockets.h"

// winsock2.h brings windows.h in after itself; included first, windows.h would bring the old
// winsock.h instead.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

enum class Readiness { Write, Read };

timeval timeValueOf(std::chrono::milliseconds timeout) {
  const auto milliseconds = std::max<std::chrono::milliseconds::rep>(0, timeout.count());
  timeval value{};
  value.tv_sec = static_cast<long>(milliseconds / 1000);
  value.tv_usec = static_cast<long>((milliseconds % 1000) * 1000);
  return value;
}

// Waits until the socket is ready; a connect that fails shows in the exception set, whose error
// SO_ERROR then holds. Failed and TimedOut leave the error in `error`.
IoResult waitFor(SOCKET handle, Readiness readiness, std::chrono::milliseconds timeout,
                 uint32_t& error) {
  fd_set ready;
  fd_set failed;
  FD_ZERO(&ready);
  FD_ZERO(&failed);
  FD_SET(handle, &ready);
  FD_SET(handle, &failed);
  timeval limit = timeValueOf(timeout);
  const int count = readiness == Readiness::Read ? ::select(0, &ready, nullptr, &failed, &limit)
                                                 : ::select(0, nullptr, &ready, &failed, &limit);
  if (count == 0) {
    error = WSAETIMEDOUT;
    return IoResult::TimedOut;
  }
  if (count == SOCKET_ERROR) {
    error = static_cast<uint32_t>(WSAGetLastError());
    return IoResult::Failed;
  }
  if (FD_ISSET(handle, &failed)) {
    int socketError = 0;
    int size = sizeof socketError;
    ::getsockopt(handle, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&socketError), &size);
    error = static_cast<uint32_t>(socketError != 0 ? socketError : WSAECONNREFUSED);
    return IoResult::Failed;
  }
  return IoResult::Done;
}

}  // namespace

SocketLibrary::SocketLibrary(int major, int minor) {
  WSADATA data{};
  const int result = ::WSAStartup(MAKEWORD(major, minor), &data);
  if (result != 0) {
    startError_ = static_cast<uint32_t>(result);  // WSAStartup answers its error itself
    return;
  }
  started_ = true;
  majorVersion_ = LOBYTE(data.wVersion);
}

SocketLibrary::~SocketLibrary() {
  if (started_) ::WSACleanup();
}

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
  const SOCKET handle = ::socket(first->ai_family, first->ai_socktype, first->ai_protocol);
  if (handle == INVALID_SOCKET) {
    lastError_ = static_cast<uint32_t>(WSAGetLastError());
    return;
  }
  u_long nonBlocking = 1;
  ::ioctlsocket(handle, FIONBIO, &nonBlocking);
  handle_ = static_cast<intptr_t>(handle);
}

StreamSocket::~StreamSocket() {
  if (created()) ::closesocket(static_cast<SOCKET>(handle_));
}

bool StreamSocket::created() const { return static_cast<SOCKET>(handle_) != INVALID_SOCKET; }

// After a refused or unreachable connect, Windows Sockets lets the same socket connect again.
IoResult StreamSocket::connect(std::chrono::milliseconds timeout) {
  const auto* address = static_cast<const addrinfo*>(address_);
  const auto handle = static_cast<SOCKET>(handle_);
  if (::connect(handle, address->ai_addr, static_cast<int>(address->ai_addrlen)) == 0) {
    return IoResult::Done;
  }
  const int error = WSAGetLastError();
  if (error != WSAEWOULDBLOCK && error != WSAEINPROGRESS && error != WSAEALREADY) {
    lastError_ = static_cast<uint32_t>(error);
    return IoResult::Failed;
  }
  return waitFor(handle, Readiness::Write, timeout, lastError_);
}

IoResult StreamSocket::send(const void* bytes, size_t length, std::chrono::milliseconds timeout) {
  const auto handle = static_cast<SOCKET>(handle_);
  const IoResult waited = waitFor(handle, Readiness::Write, timeout, lastError_);
  if (waited != IoResult::Done) return waited;
  if (::send(handle, static_cast<const char*>(bytes), static_cast<int>(length), 0) ==
      SOCKET_ERROR) {
    lastError_ = static_cast<uint32_t>(WSAGetLastError());
    return IoResult::Failed;
  }
  return IoResult::Done;
}

IoResult StreamSocket::receive(void* buffer, size_t capacity, size_t& received,
                               std::chrono::milliseconds timeout) {
  received = 0;
  const auto handle = static_cast<SOCKET>(handle_);
  const IoResult waited = waitFor(handle, Readiness::Read, timeout, lastError_);
  if (waited != IoResult::Done) return waited;
  const int count = ::recv(handle, static_cast<char*>(buffer), static_cast<int>(capacity), 0);
  if (count == SOCKET_ERROR) {
    lastError_ = static_cast<uint32_t>(WSAGetLastError());
    return IoResult::Failed;
  }
  received = static_cast<size_t>(count);
  return IoResult::Done;
}

std::string errorText(uint32_t error) {
  char buffer[512] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, buffer, sizeof buffer, nullptr);
  if (length == 0) return "Windows Sockets error " + std::to_string(error) + "\r\n";
  return std::string(buffer, length);
}

uint32_t parseIPv4(const char* text) { return ::inet_addr(text); }

// gethostbyaddr and gethostbyname answer an entry that Windows Sockets keeps per thread until the
// next call; it is copied out before the socket library is released.
std::optional<std::string> hostNameOf(uint32_t address) {
  const hostent* found =
      ::gethostbyaddr(reinterpret_cast<const char*>(&address), sizeof address, AF_INET);
  if (found == nullptr || found->h_name == nullptr) return std::nullopt;
  return std::string(found->h_name);
}

std::optional<std::string> firstAddressOf(const char* name, uint32_t& error) {
  const hostent* found = ::gethostbyname(name);
  if (found == nullptr || found->h_addr_list == nullptr || found->h_addr_list[0] == nullptr ||
      found->h_addrtype != AF_INET) {
    const int lastError = WSAGetLastError();
    error = static_cast<uint32_t>(lastError != 0 ? lastError : WSAHOST_NOT_FOUND);
    return std::nullopt;
  }
  in_addr first{};
  std::memcpy(&first, found->h_addr_list[0], sizeof first);
  return std::string(::inet_ntoa(first));
}

}  // namespace platform
