#pragma once
/// @file
/// @ingroup net
/// Host-name lookup and dotted IPv4 text. Addresses are integers in host order.
#include <corvax/runtime/array.h>
#include <corvax/runtime/string.h>

namespace corvax {

/// The four bytes, most significant first, as unsigned decimals joined by ".".
String FormatIPv4(int ip);
/// The name's IPv4 addresses in the resolver's order; empty when it has none.
Array<int> ResolveHostAddresses(const String& name);
/// Entry index of ResolveHostAddresses, or 0 when there is no such entry.
int ResolveHostAddress(const String& name, int index = 0);
/// The address's host name, or the empty string.
String ResolveAddressName(int ip);

}  // namespace corvax
