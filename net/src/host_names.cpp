#include <corvax/net/host_names.h>

#include "socket_glue.h"

namespace corvax {

String FormatIPv4(int ip) {
  const auto bits = static_cast<unsigned>(ip);
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (shift != 24) text += '.';
    text += std::to_string((bits >> shift) & 0xFF);
  }
  return From8Bit(text);
}

Array<int> ResolveHostAddresses(const String& name) {
  return Array<int>(netglue::HostAddressesByName(To8Bit(name)));
}

int ResolveHostAddress(const String& name, int index) {
  if (index < 0) return 0;
  const Array<int> addresses = ResolveHostAddresses(name);
  return index < addresses.Length() ? addresses[index] : 0;
}

String ResolveAddressName(int ip) {
  return From8Bit(netglue::HostNameByAddress(ip));
}

}  // namespace corvax
