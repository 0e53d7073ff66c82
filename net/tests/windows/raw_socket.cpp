#include "raw_socket.h"

#include <winsock2.h>
#include <ws2tcpip.h>

namespace corvax::testing {
namespace {

// Winsock's handles are small kernel handle values; TSocket keeps them as ints too.
SOCKET Native(int socket) {
  return static_cast<SOCKET>(socket);
}

// Winsock must be started before the first call; the net module's start-up may not have run.
void EnsureWinsock() {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  (void)started;
}

}  // namespace

int ListenOnLoopbackPort(int& port) {
  EnsureWinsock();
  const SOCKET fd = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (fd == INVALID_SOCKET) return -1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(fd, 8) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    closesocket(fd);
    return -1;
  }
  port = ntohs(address.sin_port);
  return static_cast<int>(fd);
}

int NewTcpSocket() {
  EnsureWinsock();
  const SOCKET fd = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  return fd == INVALID_SOCKET ? -1 : static_cast<int>(fd);
}

int AcceptWithin(int listener, int timeoutMs) {
  if (!ReadableWithin(listener, timeoutMs)) return -1;
  const SOCKET fd = accept(Native(listener), nullptr, nullptr);
  return fd == INVALID_SOCKET ? -1 : static_cast<int>(fd);
}

bool ReadableWithin(int socket, int timeoutMs) {
  WSAPOLLFD entry{Native(socket), POLLRDNORM, 0};
  return WSAPoll(&entry, 1, timeoutMs) == 1;
}

bool ReceiveByte(int socket, char& byte) {
  return recv(Native(socket), &byte, 1, 0) == 1;
}

void SendAll(int socket, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const int n =
        send(Native(socket), bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
}

bool IsOpenSocket(int socket) {
  int type = 0;
  int length = sizeof type;
  return getsockopt(Native(socket), SOL_SOCKET, SO_TYPE, reinterpret_cast<char*>(&type), &length) ==
         0;
}

void CloseSocket(int socket) {
  closesocket(Native(socket));
}

}  // namespace corvax::testing
