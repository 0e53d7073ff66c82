#include "socket_glue.h"

#include "poll_entries.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdint>
#include <cstring>

namespace corvax::netglue {
namespace {

// Winsock 2.2, started on first use and kept to the end of the process.
constexpr WORD kWinsockVersion = MAKEWORD(2, 2);

bool WinsockStarted() {
  static const bool started = [] {
    WSADATA data;
    return ::WSAStartup(kWinsockVersion, &data) == 0;
  }();
  return started;
}

SOCKET AsSocket(int handle) {
  return static_cast<SOCKET>(static_cast<std::uintptr_t>(static_cast<unsigned>(handle)));
}

// Socket handles are kernel handles, which the system keeps within 32 bits.
int AsHandle(SOCKET socket) {
  return socket == INVALID_SOCKET ? -1 : static_cast<int>(socket);
}

// New sockets are not inherited by child programs, as with SOCK_CLOEXEC elsewhere.
int Private(SOCKET socket) {
  if (socket != INVALID_SOCKET) {
    ::SetHandleInformation(reinterpret_cast<HANDLE>(socket), HANDLE_FLAG_INHERIT, 0);
  }
  return AsHandle(socket);
}

int Result(int value) {
  return value == SOCKET_ERROR ? -1 : value;
}

sockaddr_in InetRecord(int address, int port) {
  sockaddr_in record{};
  record.sin_family = AF_INET;
  record.sin_port = htons(static_cast<u_short>(port));
  record.sin_addr.s_addr = htonl(static_cast<u_long>(static_cast<unsigned>(address)));
  return record;
}

}  // namespace

int HostToNet16(int value) {
  return htons(static_cast<u_short>(value));
}
int NetToHost16(int value) {
  return ntohs(static_cast<u_short>(value)) & 0xFFFF;
}
int HostToNet32(int value) {
  return static_cast<int>(htonl(static_cast<u_long>(static_cast<unsigned>(value))));
}
int NetToHost32(int value) {
  return static_cast<int>(ntohl(static_cast<u_long>(static_cast<unsigned>(value))));
}

int OpenSocket(int family, int type, int protocol) {
  if (!WinsockStarted()) return -1;
  return Private(::socket(family, type, protocol));
}

int CloseSocket(int handle) {
  return Result(::closesocket(AsSocket(handle)));
}

int BindSocket(int handle, int family, int port, int address) {
  if (family != AF_INET) return -1;
  const sockaddr_in record = InetRecord(address, port);
  return Result(
      ::bind(AsSocket(handle), reinterpret_cast<const sockaddr*>(&record), sizeof record));
}

int ConnectSocket(int handle, const void* addressBytes, int family, int addressLength, int port) {
  if (family != AF_INET || addressLength != 4) return -1;
  sockaddr_in record = InetRecord(0, port);
  std::memcpy(&record.sin_addr, addressBytes, 4);
  return Result(
      ::connect(AsSocket(handle), reinterpret_cast<const sockaddr*>(&record), sizeof record));
}

int ListenSocket(int handle, int backlog) {
  return Result(::listen(AsSocket(handle), backlog));
}

int AcceptSocket(int handle, void* record, int* recordLength) {
  int length = recordLength ? *recordLength : 0;
  const int result = Private(
      ::accept(AsSocket(handle), static_cast<sockaddr*>(record), record ? &length : nullptr));
  if (recordLength) *recordLength = length;
  return result;
}

int SelectSockets(std::span<int> read, std::span<int> write, std::span<int> error, int timeoutMs) {
  std::vector<WSAPOLLFD> entries;
  AddPollEntries(entries, read, SHORT{POLLRDNORM}, AsSocket);
  AddPollEntries(entries, write, SHORT{POLLWRNORM}, AsSocket);
  // Winsock's poll refuses POLLPRI; out-of-band data arrives as POLLRDBAND.
  AddPollEntries(entries, error, SHORT{POLLRDBAND}, AsSocket);
  if (entries.empty()) {
    if (timeoutMs > 0) ::Sleep(static_cast<DWORD>(timeoutMs));
    return 0;
  }
  const int result =
      ::WSAPoll(entries.data(), static_cast<ULONG>(entries.size()), timeoutMs < 0 ? -1 : timeoutMs);
  if (result == SOCKET_ERROR) return -1;
  // As with select, a socket in error or hung up counts as readable: the read reports it.
  std::size_t next = 0;
  int count = KeepReady(entries, next, read, POLLRDNORM | POLLHUP | POLLERR);
  count += KeepReady(entries, next, write, POLLWRNORM | POLLERR);
  count += KeepReady(entries, next, error, POLLRDBAND);
  return count;
}

int SendBytes(int handle, const void* buffer, int count, int flags) {
  // Windows raises no signal for a broken connection: the send reports it.
  return Result(::send(AsSocket(handle), static_cast<const char*>(buffer), count, flags));
}

int ReceiveBytes(int handle, void* buffer, int count, int flags) {
  return Result(::recv(AsSocket(handle), static_cast<char*>(buffer), count, flags));
}

int SendTo(int handle, const void* buffer, int count, int flags, int address, int port) {
  const sockaddr_in record = InetRecord(address, port);
  return Result(::sendto(AsSocket(handle), static_cast<const char*>(buffer), count, flags,
                         reinterpret_cast<const sockaddr*>(&record), sizeof record));
}

int ReceiveFrom(int handle, void* buffer, int count, int flags, int* address, int* port) {
  sockaddr_in record{};
  int length = sizeof record;
  const int result = Result(::recvfrom(AsSocket(handle), static_cast<char*>(buffer), count, flags,
                                       reinterpret_cast<sockaddr*>(&record), &length));
  if (result >= 0) {
    if (address) *address = static_cast<int>(ntohl(record.sin_addr.s_addr));
    if (port) *port = ntohs(record.sin_port);
  }
  return result;
}

int SetOption(int handle, int level, int option, const void* value, int length) {
  return Result(
      ::setsockopt(AsSocket(handle), level, option, static_cast<const char*>(value), length));
}

int GetOption(int handle, int level, int option, void* value, int* length) {
  return Result(::getsockopt(AsSocket(handle), level, option, static_cast<char*>(value), length));
}

int ShutdownSocket(int handle, int how) {
  return Result(::shutdown(AsSocket(handle), how));
}

void SetTimeouts(int handle, int milliseconds) {
  const DWORD limit = static_cast<DWORD>(milliseconds);
  const auto* bytes = reinterpret_cast<const char*>(&limit);
  ::setsockopt(AsSocket(handle), SOL_SOCKET, SO_RCVTIMEO, bytes, sizeof limit);
  ::setsockopt(AsSocket(handle), SOL_SOCKET, SO_SNDTIMEO, bytes, sizeof limit);
}

int LocalName(int handle, void* record, int* length) {
  return Result(::getsockname(AsSocket(handle), static_cast<sockaddr*>(record), length));
}

int PeerName(int handle, void* record, int* length) {
  return Result(::getpeername(AsSocket(handle), static_cast<sockaddr*>(record), length));
}

int PendingBytes(int handle) {
  u_long count = 0;
  return ::ioctlsocket(AsSocket(handle), FIONREAD, &count) == SOCKET_ERROR
             ? -1
             : static_cast<int>(count);
}

std::vector<int> HostAddressesByName(const std::string& name) {
  std::vector<int> addresses;
  // A NUL inside the name would cut it short and look up some other host.
  if (name.empty() || name.find('\0') != std::string::npos || !WinsockStarted()) {
    return addresses;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0) return addresses;
  for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
    if (entry->ai_family != AF_INET || entry->ai_addrlen < sizeof(sockaddr_in)) continue;
    const auto* record = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
    addresses.push_back(static_cast<int>(ntohl(record->sin_addr.s_addr)));
  }
  ::freeaddrinfo(found);
  return addresses;
}

std::string HostNameByAddress(int address) {
  if (!WinsockStarted()) return {};
  const sockaddr_in record = InetRecord(address, 0);
  char name[NI_MAXHOST];
  if (::getnameinfo(reinterpret_cast<const sockaddr*>(&record), sizeof record, name, sizeof name,
                    nullptr, 0, NI_NAMEREQD) != 0) {
    return {};
  }
  return name;
}

}  // namespace corvax::netglue
