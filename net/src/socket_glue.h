#pragma once
// Plain functions over the BSD socket calls: integers in, integers out, -1 (or another negative
// value) on failure. Addresses and ports given here are in host order unless a function says
// otherwise; only this layer converts to network order.
#include <span>
#include <string>
#include <vector>

namespace corvax::netglue {

int HostToNet16(int value);
int NetToHost16(int value);
int HostToNet32(int value);
int NetToHost32(int value);

// New sockets and accepted ones are not inherited by child programs.
int OpenSocket(int family, int type, int protocol);
int CloseSocket(int handle);
// Family must be 2 (AF_INET). The address is in host order; 0 binds every local address.
int BindSocket(int handle, int family, int port, int address = 0);
// Address bytes are the 4 bytes of an IPv4 address in network order.
int ConnectSocket(int handle, const void* addressBytes, int family, int addressLength, int port);
int ListenSocket(int handle, int backlog);
// No peer record when record is null.
int AcceptSocket(int handle, void* record, int* recordLength);

// Waits until one of the sockets is ready: readable, writeable or in error. A negative time-out
// waits without limit. Entries that are not ready become 0; the count of ready entries comes back.
// Any handle value works (no descriptor-set capacity limit).
int SelectSockets(std::span<int> read, std::span<int> write, std::span<int> error, int timeoutMs);

// Broken connections report an error here; they never raise a signal.
int SendBytes(int handle, const void* buffer, int count, int flags);
int ReceiveBytes(int handle, void* buffer, int count, int flags);
int SendTo(int handle, const void* buffer, int count, int flags, int address, int port);
// The sender's address and port, in host order.
int ReceiveFrom(int handle, void* buffer, int count, int flags, int* address, int* port);

int SetOption(int handle, int level, int option, const void* value, int length);
int GetOption(int handle, int level, int option, void* value, int* length);
int ShutdownSocket(int handle, int how);
// Sends and receives that wait longer than this fail instead.
void SetTimeouts(int handle, int milliseconds);
// Both fill a 16-byte AF_INET record.
int LocalName(int handle, void* record, int* length);
int PeerName(int handle, void* record, int* length);
// Bytes waiting to be read, or -1.
int PendingBytes(int handle);

// IPv4 addresses of the name, in host order, in the resolver's order; empty when it has none.
std::vector<int> HostAddressesByName(const std::string& name);
// The name of an address in host order; empty when there is none.
std::string HostNameByAddress(int address);

}  // namespace corvax::netglue
