#pragma once
/// @file
/// @ingroup net
/// Host-name lookup and dotted IPv4 text. Addresses are integers in host order.
#include <corvax/runtime/array.h>
#include <corvax/runtime/string.h>

namespace corvax {

/// Dotted IPv4 text.
/// @param ip The address.
/// @return The four bytes, most significant first, as unsigned decimals joined by ".".
/// @sa ResolveHostAddress
String FormatIPv4(int ip);
/// Looks the name up.
/// @param name A host name or dotted address.
/// @return The name's IPv4 addresses in the resolver's order; empty when it has none.
/// @sa ResolveHostAddress
Array<int> ResolveHostAddresses(const String& name);
/// One of the name's addresses.
/// @param name A host name or dotted address.
/// @param index Which entry of ResolveHostAddresses.
/// @return The address, or 0 when there is no such entry.
/// @sa ResolveHostAddresses, ResolveAddressName
int ResolveHostAddress(const String& name, int index = 0);
/// Looks the address up.
/// @param ip The address.
/// @return The address's host name, or the empty string.
/// @sa ResolveHostAddress, FormatIPv4
String ResolveAddressName(int ip);

}  // namespace corvax
