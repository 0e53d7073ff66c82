// A web page has no sockets of its own: it cannot open TCP connections or UDP sockets, bind,
// listen, accept or look host names up (the "http" protocol goes through the browser's fetch
// instead, see http_request.cpp). Each such call fails at once with one line on standard error
// saying so. Emscripten's own socket emulation is not used: it needs a WebSocket proxy beside
// every server, and its name lookup makes up addresses for any name.
#include "socket_glue.h"

#include <arpa/inet.h>

#include <cstdio>

#include <corvax/net/host_names.h>

#include "socket_system.h"

namespace corvax::netglue {
namespace {

int Refuse(const char* why) {
  std::fprintf(stderr, "corvax: a web page %s\n", why);
  return -1;
}

constexpr const char* kNoTcp =
    "cannot open TCP connections (http:: urls go through the browser's fetch)";
constexpr const char* kNoUdp = "has no UDP sockets";
constexpr const char* kNoTransfer = "has no sockets to send or receive on";

}  // namespace

int OpenSocket(int, int type, int) {
  return Refuse(type == SOCK_DGRAM ? kNoUdp : kNoTcp);
}

// No handle names a socket in a page, so there is nothing to close, set or ask about.
int CloseSocket(int) {
  return -1;
}

int BindSocket(int, int, int, int) {
  return Refuse("cannot bind sockets to ports");
}

int ConnectSocket(int, const void*, int, int, int) {
  return Refuse(kNoTcp);
}

int ListenSocket(int, int) {
  return Refuse("cannot listen for connections");
}

int AcceptSocket(int, void*, int*) {
  return Refuse("cannot accept connections");
}

// Every handle is in error, and an error is ready at once: the read or write the caller makes
// next reports it. So nothing waits, whatever the time-out.
int SelectSockets(std::span<int> read, std::span<int> write, std::span<int> error, int) {
  for (int& handle : error) handle = 0;
  return static_cast<int>(read.size() + write.size());
}

int SendBytes(int, const void*, int, int) {
  return Refuse(kNoTransfer);
}

int ReceiveBytes(int, void*, int, int) {
  return Refuse(kNoTransfer);
}

int SendTo(int, const void*, int, int, int, int) {
  return Refuse(kNoUdp);
}

int ReceiveFrom(int, void*, int, int, int*, int*) {
  return Refuse(kNoUdp);
}

int SetOption(int, int, int, const void*, int) {
  return -1;
}

int GetOption(int, int, int, void*, int*) {
  return -1;
}

int ShutdownSocket(int, int) {
  return -1;
}

void SetTimeouts(int, int) {}

int LocalName(int, void*, int*) {
  return -1;
}

int PeerName(int, void*, int*) {
  return -1;
}

int PendingBytes(int) {
  return -1;
}

// Dotted text needs no lookup: it is the address itself. A NUL would cut the name short, and
// an empty name names nothing: neither is looked up on the desktop either.
std::vector<int> HostAddressesByName(const std::string& name) {
  if (name.empty() || name.find('\0') != std::string::npos) return {};
  in_addr record{};
  if (inet_pton(AF_INET, name.c_str(), &record) == 1) {
    return {static_cast<int>(ntohl(record.s_addr))};
  }
  std::fprintf(stderr, "corvax: cannot look up %s: a web page cannot look up host names\n",
               name.c_str());
  return {};
}

std::string HostNameByAddress(int address) {
  std::fprintf(stderr,
               "corvax: cannot look up the name of %s: a web page cannot look up host names\n",
               To8Bit(FormatIPv4(address)).c_str());
  return {};
}

}  // namespace corvax::netglue
