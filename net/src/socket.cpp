#include <corvax/net/socket.h>

#include "socket_glue.h"
#include "socket_system.h"

namespace corvax {
namespace {

// An AF_INET record's port (bytes 2..3) and address (bytes 4..7), both big-endian.
void ReadEndpoint(const unsigned char (&record)[16], int& ip, int& port) {
  port = (record[2] << 8) | record[3];
  ip = static_cast<int>((static_cast<unsigned>(record[4]) << 24) | (record[5] << 16) |
                        (record[6] << 8) | record[7]);
}

template <class NameCall>
void RefreshEndpoint(int handle, NameCall call, int& ip, int& port) {
  unsigned char record[16] = {};
  int length = sizeof record;
  if (call(handle, record, &length) < 0) {
    ip = 0;
    port = 0;
    return;
  }
  ReadEndpoint(record, ip, port);
}

int ReadableNow(int handle, int timeoutMs) {
  int handles[1] = {handle};
  return netglue::SelectSockets(handles, {}, {}, timeoutMs);
}

}  // namespace

int TSocket::SendData(const void* buffer, int count, int flags) {
  if (count <= 0) return 0;
  const int sent = netglue::SendBytes(handle_, buffer, count, flags);
  return sent < 0 ? 0 : sent;
}

int TSocket::ReceiveData(void* buffer, int count, int flags) {
  if (count <= 0) return 0;
  const int received = netglue::ReceiveBytes(handle_, buffer, count, flags);
  return received < 0 ? 0 : received;
}

void TSocket::Close() {
  if (handle_ < 0) return;
  if (ownsHandle_) netglue::CloseSocket(handle_);
  handle_ = localIp_ = localPort_ = remoteIp_ = remotePort_ = -1;
}

int TSocket::IsConnected() {
  if (handle_ < 0) return 0;
  if (ReadableNow(handle_, 0) != 1) return 1;
  if (BytesAvailable() != 0) return 1;
  Close();
  return 0;
}

int TSocket::Bind(int localPort, int localIp) {
  if (handle_ < 0 || netglue::BindSocket(handle_, AF_INET, localPort, localIp) < 0) return 0;
  RefreshLocalEndpoint();
  return 1;
}

int TSocket::Connect(int remoteIp, int remotePort) {
  if (handle_ < 0) return 0;
  const int address = netglue::HostToNet32(remoteIp);
  if (netglue::ConnectSocket(handle_, &address, AF_INET, 4, remotePort) < 0) return 0;
  RefreshLocalEndpoint();
  RefreshRemoteEndpoint();
  return 1;
}

int TSocket::Listen(int backlog) {
  if (handle_ < 0) return 0;
  return netglue::ListenSocket(handle_, backlog) >= 0 ? 1 : 0;
}

Ref<TSocket> TSocket::Accept(int timeoutMs) {
  if (handle_ < 0 || ReadableNow(handle_, timeoutMs) != 1) return nullptr;
  const int accepted = netglue::AcceptSocket(handle_, nullptr, nullptr);
  if (accepted <= 0) return nullptr;
  return FromHandle(accepted, 1);
}

int TSocket::BytesAvailable() {
  if (handle_ < 0) return 0;
  const int count = netglue::PendingBytes(handle_);
  return count < 0 ? 0 : count;
}

void TSocket::SetNoDelay(int enable) {
  if (handle_ < 0) return;
  netglue::SetOption(handle_, IPPROTO_TCP, TCP_NODELAY, &enable, sizeof enable);
}

void TSocket::RefreshLocalEndpoint() {
  RefreshEndpoint(handle_, netglue::LocalName, localIp_, localPort_);
}

void TSocket::RefreshRemoteEndpoint() {
  RefreshEndpoint(handle_, netglue::PeerName, remoteIp_, remotePort_);
}

Ref<TSocket> TSocket::FromHandle(int handle, bool ownsHandle) {
  if (handle < 0) return nullptr;
  Ref<TSocket> socket = New<TSocket>();
  socket->handle_ = handle;
  socket->ownsHandle_ = ownsHandle;
  socket->RefreshLocalEndpoint();
  socket->RefreshRemoteEndpoint();
  return socket;
}

Ref<TSocket> TSocket::NewUdp() {
  return FromHandle(netglue::OpenSocket(AF_INET, SOCK_DGRAM, 0), 1);
}

Ref<TSocket> TSocket::NewTcp() {
  return FromHandle(netglue::OpenSocket(AF_INET, SOCK_STREAM, 0), 1);
}

Ref<TSocket> SockNewUdp() {
  return TSocket::NewUdp();
}
Ref<TSocket> SockNewTcp() {
  return TSocket::NewTcp();
}
void SockClose(const Ref<TSocket>& socket) {
  socket->Close();
}
bool SockBind(const Ref<TSocket>& socket, int localPort, int localIp) {
  return socket->Bind(localPort, localIp);
}
bool SockConnect(const Ref<TSocket>& socket, int remoteIp, int remotePort) {
  return socket->Connect(remoteIp, remotePort);
}
bool SockListen(const Ref<TSocket>& socket, int backlog) {
  return socket->Listen(backlog);
}
Ref<TSocket> SockAccept(const Ref<TSocket>& socket, int timeoutMs) {
  return socket->Accept(timeoutMs);
}
bool SockIsConnected(const Ref<TSocket>& socket) {
  return socket->IsConnected();
}
int SockBytesAvailable(const Ref<TSocket>& socket) {
  return socket->BytesAvailable();
}
int SockLocalAddress(const Ref<TSocket>& socket) {
  return socket->LocalAddress();
}
int SockLocalPort(const Ref<TSocket>& socket) {
  return socket->LocalPortNumber();
}
int SockRemoteAddress(const Ref<TSocket>& socket) {
  return socket->RemoteAddress();
}
int SockRemotePort(const Ref<TSocket>& socket) {
  return socket->RemotePortNumber();
}

}  // namespace corvax
