#include "socket_glue.h"

#include "poll_entries.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace corvax::netglue {
namespace {

sockaddr_in InetRecord(int address, int port) {
  sockaddr_in record{};
  record.sin_family = AF_INET;
  record.sin_port = htons(static_cast<std::uint16_t>(port));
  record.sin_addr.s_addr = htonl(static_cast<std::uint32_t>(address));
  return record;
}

// Calls interrupted by a signal are repeated: the caller asked for the call, not for a failure.
template <class Call>
auto Retry(Call call) {
  for (;;) {
    const auto result = call();
    if (result >= 0 || errno != EINTR) return result;
  }
}

}  // namespace

int OpenSocket(int family, int type, int protocol) {
  return socket(family, type | SOCK_CLOEXEC, protocol);
}

int CloseSocket(int handle) {
  return close(handle);
}

int BindSocket(int handle, int family, int port, int address) {
  if (family != AF_INET) return -1;
  const sockaddr_in record = InetRecord(address, port);
  return bind(handle, reinterpret_cast<const sockaddr*>(&record), sizeof record);
}

int ConnectSocket(int handle, const void* addressBytes, int family, int addressLength, int port) {
  if (family != AF_INET || addressLength != 4) return -1;
  sockaddr_in record = InetRecord(0, port);
  std::memcpy(&record.sin_addr, addressBytes, 4);
  return Retry(
      [&] { return connect(handle, reinterpret_cast<const sockaddr*>(&record), sizeof record); });
}

int ListenSocket(int handle, int backlog) {
  return listen(handle, backlog);
}

int AcceptSocket(int handle, void* record, int* recordLength) {
  socklen_t length = recordLength ? static_cast<socklen_t>(*recordLength) : 0;
  const int result = Retry([&] {
    return accept4(handle, static_cast<sockaddr*>(record), record ? &length : nullptr,
                   SOCK_CLOEXEC);
  });
  if (recordLength) *recordLength = static_cast<int>(length);
  return result;
}

int SelectSockets(std::span<int> read, std::span<int> write, std::span<int> error, int timeoutMs) {
  std::vector<pollfd> entries;
  const auto same = [](int handle) { return handle; };
  AddPollEntries(entries, read, short{POLLIN}, same);
  AddPollEntries(entries, write, short{POLLOUT}, same);
  AddPollEntries(entries, error, short{POLLPRI}, same);
  const int result =
      Retry([&] { return poll(entries.data(), entries.size(), timeoutMs < 0 ? -1 : timeoutMs); });
  if (result < 0) return result;
  // As with select, a socket in error or hung up counts as readable: the read reports it.
  std::size_t next = 0;
  int count = KeepReady(entries, next, read, POLLIN | POLLHUP | POLLERR);
  count += KeepReady(entries, next, write, POLLOUT | POLLERR);
  count += KeepReady(entries, next, error, POLLPRI);
  return count;
}

int SendBytes(int handle, const void* buffer, int count, int flags) {
  return static_cast<int>(Retry(
      [&] { return send(handle, buffer, static_cast<std::size_t>(count), flags | MSG_NOSIGNAL); }));
}

int ReceiveBytes(int handle, void* buffer, int count, int flags) {
  return static_cast<int>(
      Retry([&] { return recv(handle, buffer, static_cast<std::size_t>(count), flags); }));
}

int SendTo(int handle, const void* buffer, int count, int flags, int address, int port) {
  const sockaddr_in record = InetRecord(address, port);
  return static_cast<int>(Retry([&] {
    return sendto(handle, buffer, static_cast<std::size_t>(count), flags | MSG_NOSIGNAL,
                  reinterpret_cast<const sockaddr*>(&record), sizeof record);
  }));
}

int ReceiveFrom(int handle, void* buffer, int count, int flags, int* address, int* port) {
  sockaddr_in record{};
  socklen_t length = sizeof record;
  const int result = static_cast<int>(Retry([&] {
    return recvfrom(handle, buffer, static_cast<std::size_t>(count), flags,
                    reinterpret_cast<sockaddr*>(&record), &length);
  }));
  if (result >= 0) {
    if (address) *address = static_cast<int>(ntohl(record.sin_addr.s_addr));
    if (port) *port = ntohs(record.sin_port);
  }
  return result;
}

int SetOption(int handle, int level, int option, const void* value, int length) {
  return setsockopt(handle, level, option, value, static_cast<socklen_t>(length));
}

int GetOption(int handle, int level, int option, void* value, int* length) {
  socklen_t size = static_cast<socklen_t>(*length);
  const int result = getsockopt(handle, level, option, value, &size);
  *length = static_cast<int>(size);
  return result;
}

int ShutdownSocket(int handle, int how) {
  return shutdown(handle, how);
}

void SetTimeouts(int handle, int milliseconds) {
  constexpr int kMillisecondsPerSecond = 1000, kMicrosecondsPerMillisecond = 1000;
  const timeval limit{milliseconds / kMillisecondsPerSecond,
                      (milliseconds % kMillisecondsPerSecond) * kMicrosecondsPerMillisecond};
  setsockopt(handle, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  setsockopt(handle, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
}

int LocalName(int handle, void* record, int* length) {
  socklen_t size = static_cast<socklen_t>(*length);
  const int result = getsockname(handle, static_cast<sockaddr*>(record), &size);
  *length = static_cast<int>(size);
  return result;
}

int PeerName(int handle, void* record, int* length) {
  socklen_t size = static_cast<socklen_t>(*length);
  const int result = getpeername(handle, static_cast<sockaddr*>(record), &size);
  *length = static_cast<int>(size);
  return result;
}

int PendingBytes(int handle) {
  int count = 0;
  return ioctl(handle, FIONREAD, &count) < 0 ? -1 : count;
}

std::vector<int> HostAddressesByName(const std::string& name) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  std::vector<int> addresses;
  // A NUL inside the name would cut it short and look up some other host.
  if (name.empty() || name.find('\0') != std::string::npos) return addresses;
  if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0) return addresses;
  for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
    if (entry->ai_family != AF_INET || entry->ai_addrlen < sizeof(sockaddr_in)) continue;
    const auto* record = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
    addresses.push_back(static_cast<int>(ntohl(record->sin_addr.s_addr)));
  }
  freeaddrinfo(found);
  return addresses;
}

std::string HostNameByAddress(int address) {
  const sockaddr_in record = InetRecord(address, 0);
  char name[NI_MAXHOST];
  if (getnameinfo(reinterpret_cast<const sockaddr*>(&record), sizeof record, name, sizeof name,
                  nullptr, 0, NI_NAMEREQD) != 0) {
    return {};
  }
  return name;
}

}  // namespace corvax::netglue
