#pragma once
/// @file
/// @ingroup net
/// A byte stream over a connected TCP socket, and the "tcp" protocol: "tcp::host:port".
#include <corvax/net/socket.h>
#include <corvax/stream/stream_factory.h>

namespace corvax {

/// Cannot seek. Reaching the end (the peer closed and everything sent was read) closes the
/// stream, and the socket with it when the stream owns it. AtEnd answers at once: a quiet
/// connection is not at its end. A Read that waits and meets the peer's close ends the stream
/// there too, so a loop of AtEnd and Read ends quietly rather than with a read error.
class TSocketStream : public TStream {
 public:
  /// A stream over a connected socket.
  /// @param socket The socket read and written.
  /// @param ownsSocket true closes the socket with the stream.
  /// @sa Wrap
  TSocketStream(Ref<TSocket> socket, bool ownsSocket)
      : socket_(std::move(socket)), ownsSocket_(ownsSocket) {}

  bool AtEnd() override;
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  int Close() override;

  /// @return The socket read and written.
  /// @sa StreamSocket
  const Ref<TSocket>& UnderlyingSocket() const { return socket_; }

  /// The same as the constructor, as a new object.
  /// @param socket The socket read and written.
  /// @param ownsSocket true closes the socket with the stream.
  /// @return The new stream.
  /// @sa WrapSocket
  static Ref<TSocketStream> Wrap(Ref<TSocket> socket, bool ownsSocket);
  /// Connects to the host's first IPv4 address.
  /// @param host A host name or dotted address.
  /// @param port The port.
  /// @return A stream owning the new connection; Null when the name does not resolve or the
  /// connection fails.
  /// @sa ResolveHostAddress
  static Ref<TSocketStream> ConnectTo(const String& host, int port);

 private:
  Ref<TSocket> socket_;
  bool ownsSocket_;
};

/// The same as TSocketStream::Wrap.
/// @param socket The socket read and written.
/// @param ownsSocket true closes the socket with the stream.
/// @return The new stream.
/// @sa StreamSocket
Ref<TSocketStream> WrapSocket(Ref<TSocket> socket, bool ownsSocket);
/// @param stream Any stream.
/// @return The socket of a socket stream; Null for a stream that is not a socket stream.
/// @sa TSocketStream::UnderlyingSocket
Ref<TSocket> StreamSocket(const Ref<TStream>& stream);

/// "tcp::host" connects to port 80, "tcp::host:port" to the port; a port that is not a number
/// from 1 to 65535 gives Null.
class TSocketStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& protocol, const String& path,
                            bool readable, bool writeable) override;
};

/// Splits "host:port" text.
/// @param text "host" or "host:port".
/// @param[out] host The host part.
/// @return The port, 80 without a colon, or 0 when the port is not a number from 1 to 65535.
int SplitHostPort(const String& text, String& host);

}  // namespace corvax
