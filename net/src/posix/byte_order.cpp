// Network byte order through the C library's own calls; a web page's C library is Emscripten's
// POSIX one, so the page uses this file too.
#include <arpa/inet.h>

#include <cstdint>

#include "socket_glue.h"

namespace corvax::netglue {

int HostToNet16(int value) {
  return htons(static_cast<std::uint16_t>(value));
}
int NetToHost16(int value) {
  return ntohs(static_cast<std::uint16_t>(value)) & 0xFFFF;
}
int HostToNet32(int value) {
  return static_cast<int>(htonl(static_cast<std::uint32_t>(value)));
}
int NetToHost32(int value) {
  return static_cast<int>(ntohl(static_cast<std::uint32_t>(value)));
}

}  // namespace corvax::netglue
