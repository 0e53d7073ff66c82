#pragma once
// Test servers on 127.0.0.1, on ports the kernel picks. Every wait is bounded, so a fault in
// the code under test fails the test instead of hanging it.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace corvax::testing {

constexpr int kLoopback = 0x7F000001;

// A listening TCP socket on 127.0.0.1.
class LoopbackListener {
 public:
  LoopbackListener() {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(fd_, 8);
    socklen_t length = sizeof address;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~LoopbackListener() { close(fd_); }
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  int port() const { return port_; }
  // A connected socket, or -1 when nobody connected in time.
  int Accept(int timeoutMs = 5000) {
    pollfd entry{fd_, POLLIN, 0};
    if (poll(&entry, 1, timeoutMs) != 1) return -1;
    return accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
  }

 private:
  int fd_ = -1;
  int port_ = 0;
};

// Bytes up to and including the first blank line, read within the time limit.
inline std::string ReadRequest(int fd, int timeoutMs = 5000) {
  std::string request;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (request.find("\r\n\r\n") == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd entry{fd, POLLIN, 0};
    if (left.count() <= 0 || poll(&entry, 1, static_cast<int>(left.count())) != 1) break;
    char byte;
    if (recv(fd, &byte, 1, 0) != 1) break;
    request += byte;
  }
  return request;
}

inline void SendAll(int fd, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
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
          close(fd);
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
