#pragma once
// The operating system's own TCP sockets, for the tests' servers and for handles lent to the
// code under test: one interface, one file per platform. Handles are ints, as TSocket keeps them.
#include <string>

namespace corvax::testing {

// A TCP socket listening on 127.0.0.1 at a port the system picks, or -1.
int ListenOnLoopbackPort(int& port);
// A fresh, unconnected TCP socket, or -1.
int NewTcpSocket();
// A connection waiting on a listening socket, or -1 when none came within timeoutMs.
int AcceptWithin(int listener, int timeoutMs);
// Whether bytes (or the peer's close) wait on the socket within timeoutMs.
bool ReadableWithin(int socket, int timeoutMs);
// One byte, or false at the peer's close or an error.
bool ReceiveByte(int socket, char& byte);
// Sends every byte unless the connection fails.
void SendAll(int socket, const std::string& bytes);
// Whether the handle still names an open socket.
bool IsOpenSocket(int socket);
void CloseSocket(int socket);

}  // namespace corvax::testing
