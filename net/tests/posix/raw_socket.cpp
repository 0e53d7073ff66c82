#include "raw_socket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace corvax::testing {

int ListenOnLoopbackPort(int& port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(fd, 8) != 0 || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (fd >= 0) close(fd);
    return -1;
  }
  port = ntohs(address.sin_port);
  return fd;
}

int NewTcpSocket() {
  return socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

int AcceptWithin(int listener, int timeoutMs) {
  if (!ReadableWithin(listener, timeoutMs)) return -1;
  return accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
}

bool ReadableWithin(int socket, int timeoutMs) {
  pollfd entry{socket, POLLIN, 0};
  return poll(&entry, 1, timeoutMs) == 1;
}

bool ReceiveByte(int socket, char& byte) {
  return recv(socket, &byte, 1, 0) == 1;
}

void SendAll(int socket, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
}

bool IsOpenSocket(int socket) {
  return fcntl(socket, F_GETFD) != -1;
}

void CloseSocket(int socket) {
  close(socket);
}

}  // namespace corvax::testing
