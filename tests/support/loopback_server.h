// Test support: a small TCP server on 127.0.0.1 that answers every connection with canned bytes,
// on a thread of its own, and stops by itself when it is destroyed.
#ifndef QUIBO_TESTS_LOOPBACK_SERVER_H_
#define QUIBO_TESTS_LOOPBACK_SERVER_H_

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace quibo_test {

class LoopbackServer {
 public:
  struct Behaviour {
    // Sent in turn, with `pause` between them; nothing at all keeps the connection silent.
    std::vector<std::string> packets;
    std::chrono::milliseconds pause{0};
    bool waitForRequest = true;  // read the request before answering
  };

  explicit LoopbackServer(Behaviour behaviour);
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  uint16_t port() const { return port_; }
  std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
  int connections() const { return connections_.load(); }
  // The bytes of the last request received.
  std::string lastRequest() const;

  // A port on which nothing listens, so that connecting is refused.
  static uint16_t refusingPort();

 private:
  void serve();

  Behaviour behaviour_;
  intptr_t listener_ = -1;
  uint16_t port_ = 0;
  std::atomic<bool> stopping_{false};
  std::atomic<int> connections_{0};
  mutable std::mutex requestMutex_;
  std::string lastRequest_;
  std::thread thread_;
};

}  // namespace quibo_test

#endif  // QUIBO_TESTS_LOOPBACK_SERVER_H_
