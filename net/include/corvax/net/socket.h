#pragma once
/// @file
/// @ingroup net
/// IPv4 sockets as objects. Nothing here throws: failures come back as 0, -1 or the Null object.
/// Addresses are integers in host order, the first number of the dotted form in the top byte.
#include <corvax/runtime/object.h>

namespace corvax {

/// A TCP or UDP socket over IPv4. Addresses are IPv4 addresses as one int, most significant
/// byte first (127.0.0.1 is 0x7F000001); ports are 1-65535.
class TSocket : public Object {
 public:
  /// The bytes sent or received; a negative send or receive result is reported as 0 bytes.
  ///@{
  virtual int SendData(const void* buffer, int count, int flags);
  virtual int ReceiveData(void* buffer, int count, int flags);
  ///@}
  /// Closes the OS socket when this object owns it; either way the object is closed after: the
  /// handle and endpoints read -1. Closing again does nothing.
  virtual void Close();
  /// A quiet socket counts as connected; a readable one with nothing to read has lost its peer
  /// and is closed here.
  virtual int IsConnected();
  /// 1 on success, 0 on failure. The local address 0 binds every local address.
  virtual int Bind(int localPort, int localIp = 0);
  /// 1 on success, 0 on failure.
  ///@{
  virtual int Connect(int remoteIp, int remotePort);
  virtual int Listen(int backlog);
  ///@}
  /// Waits at most timeoutMs (negative: without limit) for a connection; Null when none came.
  virtual Ref<TSocket> Accept(int timeoutMs);
  /// Bytes that can be received now without waiting.
  virtual int BytesAvailable();
  /// Non-zero sends small writes at once (TCP_NODELAY), 0 lets them gather.
  virtual void SetNoDelay(int enable);

  /// The OS socket; -1 once closed.
  int Handle() const { return handle_; }
  /// The endpoints as last refreshed; -1 once closed.
  ///@{
  int LocalAddress() const { return localIp_; }
  int LocalPortNumber() const { return localPort_; }
  int RemoteAddress() const { return remoteIp_; }
  int RemotePortNumber() const { return remotePort_; }
  ///@}
  /// Endpoints are snapshots, taken at creation, bind and connect; 0 when the OS has none.
  ///@{
  void RefreshLocalEndpoint();
  void RefreshRemoteEndpoint();
  ///@}

  /// Null for a negative handle.
  static Ref<TSocket> FromHandle(int handle, int ownsHandle);
  /// A new unbound socket owning its handle; Null when the OS refuses one.
  ///@{
  static Ref<TSocket> NewUdp();
  static Ref<TSocket> NewTcp();
  ///@}

 private:
  int handle_ = 0;
  int ownsHandle_ = 0;
  int localIp_ = 0;
  int localPort_ = 0;
  int remoteIp_ = 0;
  int remotePort_ = 0;
};

/// Exists for programs that name it; nothing here throws it.
class TSocketException : public Object {
 public:
  String ToString() const override { return u"Internal socket error"; }
};

/// Free-function forms of TSocket's operations, same results: SockNewUdp, SockNewTcp, SockClose,
/// SockBind, SockConnect, SockListen, SockAccept, SockIsConnected, SockBytesAvailable and the
/// endpoint getters. A Null socket throws TNullObjectException.
///@{
Ref<TSocket> SockNewUdp();
Ref<TSocket> SockNewTcp();
void SockClose(const Ref<TSocket>& socket);
int SockBind(const Ref<TSocket>& socket, int localPort, int localIp = 0);
int SockConnect(const Ref<TSocket>& socket, int remoteIp, int remotePort);
int SockListen(const Ref<TSocket>& socket, int backlog);
Ref<TSocket> SockAccept(const Ref<TSocket>& socket, int timeoutMs);
int SockIsConnected(const Ref<TSocket>& socket);
int SockBytesAvailable(const Ref<TSocket>& socket);
int SockLocalAddress(const Ref<TSocket>& socket);
int SockLocalPort(const Ref<TSocket>& socket);
int SockRemoteAddress(const Ref<TSocket>& socket);
int SockRemotePort(const Ref<TSocket>& socket);
///@}

}  // namespace corvax
