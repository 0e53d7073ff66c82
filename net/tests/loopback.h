#pragma once
// Test servers on 127.0.0.1, on ports the kernel picks. Every wait is bounded, so a fault in
// the code under test fails the test instead of hanging it.
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "raw_socket.h"

namespace corvax::testing {

constexpr int kLoopback = 0x7F000001;

// A listening TCP socket on 127.0.0.1.
class LoopbackListener {
 public:
  LoopbackListener() : fd_(ListenOnLoopbackPort(port_)) {}
  ~LoopbackListener() { CloseSocket(fd_); }
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  int port() const { return port_; }
  // A connected socket, or -1 when nobody connected in time.
  int Accept(int timeoutMs = 5000) { return AcceptWithin(fd_, timeoutMs); }

 private:
  int port_ = 0;
  int fd_ = -1;
};

// Bytes up to and including the first blank line, read within the time limit.
inline std::string ReadRequest(int fd, int timeoutMs = 5000) {
  std::string request;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (request.find("\r\n\r\n") == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !ReadableWithin(fd, static_cast<int>(left.count()))) break;
    char byte;
    if (!ReceiveByte(fd, byte)) break;
    request += byte;
  }
  return request;
}

// Serves one connection on its own thread: the handler gets the connected socket, which is
// closed after it returns. The destructor waits for the thread.
class OneConnectionServer {
 public:
  explicit OneConnectionServer(std::function<void(int fd)> handler)
      : thread_([this, handler = std::move(handler)] {
          const int fd = listener_.Accept();
          if (fd < 0) return;
          handler(fd);
          CloseSocket(fd);
        }) {}
  ~OneConnectionServer() { Wait(); }

  void Wait() {
    if (thread_.joinable()) thread_.join();
  }

  int port() const { return listener_.port(); }

 private:
  LoopbackListener listener_;
  std::thread thread_;
};

// An HTTP server for one request: records the request and answers with the canned bytes, then
// holds the connection open for holdMs before closing it.
class OneResponseServer {
 public:
  explicit OneResponseServer(std::string response, int holdMs = 0)
      : server_([this, response = std::move(response), holdMs](int fd) {
          request_ = ReadRequest(fd);
          SendAll(fd, response);
          if (holdMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
        }) {}

  int port() const { return server_.port(); }
  std::string url(const std::string& path = "") const {
    return "http::127.0.0.1:" + std::to_string(port()) + path;
  }
  // Waits for the server to finish with its connection.
  const std::string& request() {
    server_.Wait();
    return request_;
  }

 private:
  std::string request_;
  OneConnectionServer server_;
};

}  // namespace corvax::testing
