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
  /// Sends bytes on the socket.
  /// @param buffer The bytes to send.
  /// @param count How many.
  /// @param flags The OS's send flags (0 for none).
  /// @return The bytes sent; a negative send result is reported as 0 bytes.
  /// @sa ReceiveData
  virtual int SendData(const void* buffer, int count, int flags);
  /// Receives bytes from the socket.
  /// @param[out] buffer Room for count bytes.
  /// @param count At most how many.
  /// @param flags The OS's receive flags (0 for none).
  /// @return The bytes received; a negative receive result is reported as 0 bytes.
  /// @sa SendData, BytesAvailable
  virtual int ReceiveData(void* buffer, int count, int flags);
  /// Closes the OS socket when this object owns it; either way the object is closed after: the
  /// handle and endpoints read -1. Closing again does nothing.
  /// @sa SockClose
  virtual void Close();
  /// A quiet socket counts as connected; a readable one with nothing to read has lost its peer
  /// and is closed here.
  /// @return 1 while connected, else 0.
  /// @sa SockIsConnected
  virtual int IsConnected();
  /// Binds the socket to a local port.
  /// @param localPort The port, 1-65535.
  /// @param localIp The local address; 0 binds every local address.
  /// @return 1 on success, 0 on failure.
  /// @sa SockBind, Listen
  virtual int Bind(int localPort, int localIp = 0);
  /// Connects to a remote end.
  /// @param remoteIp The remote address.
  /// @param remotePort The remote port.
  /// @return 1 on success, 0 on failure.
  /// @sa SockConnect, ResolveHostAddress
  virtual int Connect(int remoteIp, int remotePort);
  /// Listens for connections on a bound TCP socket.
  /// @param backlog How many connections may wait to be accepted.
  /// @return 1 on success, 0 on failure.
  /// @sa SockListen, Bind, Accept
  virtual int Listen(int backlog);
  /// Waits for a connection on a listening socket.
  /// @param timeoutMs The longest wait in milliseconds; negative waits without limit.
  /// @return A new socket owning the connection; Null when none came.
  /// @sa SockAccept, Listen
  virtual Ref<TSocket> Accept(int timeoutMs);
  /// @return The bytes that can be received now without waiting.
  /// @sa SockBytesAvailable, ReceiveData
  virtual int BytesAvailable();
  /// Lets small writes gather or not (TCP_NODELAY).
  /// @param enable Non-zero sends small writes at once, 0 lets them gather.
  virtual void SetNoDelay(int enable);

  /// @return The OS socket; -1 once closed.
  int Handle() const { return handle_; }
  /// @return The local address as last refreshed; -1 once closed.
  /// @sa RefreshLocalEndpoint, SockLocalAddress
  int LocalAddress() const { return localIp_; }
  /// @return The local port as last refreshed; -1 once closed.
  /// @sa RefreshLocalEndpoint, SockLocalPort
  int LocalPortNumber() const { return localPort_; }
  /// @return The remote address as last refreshed; -1 once closed.
  /// @sa RefreshRemoteEndpoint, SockRemoteAddress
  int RemoteAddress() const { return remoteIp_; }
  /// @return The remote port as last refreshed; -1 once closed.
  /// @sa RefreshRemoteEndpoint, SockRemotePort
  int RemotePortNumber() const { return remotePort_; }
  /// Takes a new snapshot of the local endpoint (also taken at creation, bind and connect); 0
  /// when the OS has none.
  /// @sa LocalAddress, LocalPortNumber
  void RefreshLocalEndpoint();
  /// Takes a new snapshot of the remote endpoint (also taken at creation and connect); 0 when
  /// the OS has none.
  /// @sa RemoteAddress, RemotePortNumber
  void RefreshRemoteEndpoint();

  /// A socket object over an OS socket.
  /// @param handle The OS socket.
  /// @param ownsHandle true closes the OS socket with the object.
  /// @return The socket; Null for a negative handle.
  static Ref<TSocket> FromHandle(int handle, bool ownsHandle);
  /// @return A new unbound UDP socket owning its handle; Null when the OS refuses one.
  /// @sa SockNewUdp, NewTcp
  static Ref<TSocket> NewUdp();
  /// @return A new unbound TCP socket owning its handle; Null when the OS refuses one.
  /// @sa SockNewTcp, NewUdp
  static Ref<TSocket> NewTcp();

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

// Free-function forms of TSocket's operations, with the same results. A Null socket throws
// TNullObjectException.

/// TSocket::NewUdp.
/// @return A new unbound UDP socket owning its handle; Null when the OS refuses one.
Ref<TSocket> SockNewUdp();
/// TSocket::NewTcp.
/// @return A new unbound TCP socket owning its handle; Null when the OS refuses one.
/// @sa SockConnect, SockBind
Ref<TSocket> SockNewTcp();
/// TSocket::Close: the handle and endpoints read -1 after.
/// @param socket The socket.
void SockClose(const Ref<TSocket>& socket);
/// TSocket::Bind.
/// @param socket The socket.
/// @param localPort The port, 1-65535.
/// @param localIp The local address; 0 binds every local address.
/// @return true on success, false on failure.
/// @sa SockListen
bool SockBind(const Ref<TSocket>& socket, int localPort, int localIp = 0);
/// TSocket::Connect.
/// @param socket The socket.
/// @param remoteIp The remote address.
/// @param remotePort The remote port.
/// @return true on success, false on failure.
/// @sa ResolveHostAddress
bool SockConnect(const Ref<TSocket>& socket, int remoteIp, int remotePort);
/// TSocket::Listen.
/// @param socket A bound TCP socket.
/// @param backlog How many connections may wait to be accepted.
/// @return true on success, false on failure.
/// @sa SockBind, SockAccept
bool SockListen(const Ref<TSocket>& socket, int backlog);
/// TSocket::Accept.
/// @param socket A listening socket.
/// @param timeoutMs The longest wait in milliseconds; negative waits without limit.
/// @return A new socket owning the connection; Null when none came.
/// @sa SockListen
Ref<TSocket> SockAccept(const Ref<TSocket>& socket, int timeoutMs);
/// TSocket::IsConnected: a readable socket with nothing to read has lost its peer and is
/// closed here.
/// @param socket The socket.
/// @return true while connected, else false.
[[nodiscard]] bool SockIsConnected(const Ref<TSocket>& socket);
/// TSocket::BytesAvailable.
/// @param socket The socket.
/// @return The bytes that can be received now without waiting.
int SockBytesAvailable(const Ref<TSocket>& socket);
/// TSocket::LocalAddress.
/// @param socket The socket.
/// @return The local address as last refreshed; -1 once closed.
int SockLocalAddress(const Ref<TSocket>& socket);
/// TSocket::LocalPortNumber.
/// @param socket The socket.
/// @return The local port as last refreshed; -1 once closed.
int SockLocalPort(const Ref<TSocket>& socket);
/// TSocket::RemoteAddress.
/// @param socket The socket.
/// @return The remote address as last refreshed; -1 once closed.
/// @sa FormatIPv4
int SockRemoteAddress(const Ref<TSocket>& socket);
/// TSocket::RemotePortNumber.
/// @param socket The socket.
/// @return The remote port as last refreshed; -1 once closed.
int SockRemotePort(const Ref<TSocket>& socket);

}  // namespace corvax
