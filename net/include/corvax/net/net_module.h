#pragma once
/// @defgroup net Networking
/// IPv4 sockets, the "tcp::" and "http::" streams and object replication over ENet. Start-up:
/// StartupCorvax() from <corvax/corvax.h>, or StartupNetModule() for this module alone, before any
/// other call of the module.
///
/// Example, `examples/download.cpp` (the suite builds and runs it):
/// @include download.cpp

/// @file
/// @ingroup net
/// The networking module: start-up and the whole public interface.
#include <corvax/net/host_names.h>
#include <corvax/net/http_stream.h>
#include <corvax/net/replication.h>
#include <corvax/net/socket.h>
#include <corvax/net/socket_stream.h>

namespace corvax {

/// Each runs once; StartupNetModule runs them in this order.
void StartupSocketModule();
/// The "tcp" factory, then the "http" one.
void StartupSocketStreamModule();
/// Starts ENet, and ends it at exit. Only in builds with ENet (see net/CMakeLists.txt).
void StartupReplicationModule();
/// All of the above; StartupCorvax() covers it.
void StartupNetModule();

}  // namespace corvax
