// TCP connections and the host resolver, with every wait bounded.
//
// Errors are the system's own numbers: errno (or the resolver's h_errno) on POSIX,
// WSAGetLastError() on Windows.
#ifndef PLATFORM_SOCKETS_H_
#define PLATFORM_SOCKETS_H_

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The socket library started for one scope: WSAStartup and WSACleanup on Windows, nothing on
// POSIX, where sockets need no start.
class SocketLibrary {
 public:
  SocketLibrary(int major, int minor);
  ~SocketLibrary();
  SocketLibrary(const SocketLibrary&) = delete;
  SocketLibrary& operator=(const SocketLibrary&) = delete;

  bool started() const { return started_; }
  int majorVersion() const { return majorVersion_; }
  uint32_t startError() const { return startError_; }

 private:
  bool started_ = false;
  int majorVersion_ = 0;
  uint32_t startError_ = 0;
};

// The addresses of a host for a TCP port, as getaddrinfo gives them (any family, stream
// sockets). Empty when the name cannot be resolved.
class ResolvedHost {
 public:
  ResolvedHost(const char* host, uint16_t port);
  ~ResolvedHost();
  ResolvedHost(const ResolvedHost&) = delete;
  ResolvedHost& operator=(const ResolvedHost&) = delete;

  bool resolved() const { return list_ != nullptr; }

 private:
  friend class StreamSocket;
  void* list_ = nullptr;  // the addrinfo list
};

enum class IoResult { Done, Failed, TimedOut };

// A stream socket for the first address of a resolved host; every operation waits at most its
// time-out.
class StreamSocket {
 public:
  explicit StreamSocket(const ResolvedHost& host);
  ~StreamSocket();
  StreamSocket(const StreamSocket&) = delete;
  StreamSocket& operator=(const StreamSocket&) = delete;

  bool created() const;
  // One connection attempt to the host's first address; after a failure it may be tried again.
  IoResult connect(std::chrono::milliseconds timeout);
  // Sends the bytes in one call.
  IoResult send(const void* bytes, size_t length, std::chrono::milliseconds timeout);
  // One receive of at most `capacity` bytes; `received` is 0 when the peer closed.
  IoResult receive(void* buffer, size_t capacity, size_t& received,
                   std::chrono::milliseconds timeout);
  // The error number of the last failed operation.
  uint32_t lastError() const { return lastError_; }

 private:
  const void* address_ = nullptr;  // the first addrinfo
  intptr_t handle_ = -1;
  uint32_t lastError_ = 0;
};

// The runtime library's text for an error number (strerror).
std::string errorText(uint32_t error);

// Reads a dotted IPv4 address as inet_addr does: kNoAddress when it is none.
inline constexpr uint32_t kNoAddress = 0xFFFFFFFFu;
uint32_t parseIPv4(const char* text);
// The official name of the host at an IPv4 address (network byte order), or nothing.
std::optional<std::string> hostNameOf(uint32_t address);
// The first IPv4 address of a host name in dotted form, or nothing with the resolver's error
// number in `error`.
std::optional<std::string> firstAddressOf(const char* name, uint32_t& error);

}  // namespace platform

#endif  // PLATFORM_SOCKETS_H_
