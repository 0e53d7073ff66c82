#pragma once
/// @file
/// @ingroup net
/// The "http" protocol: "http::host[:port]/file" sends an HTTP/1.0 GET and gives a stream at the
/// first byte of the body.
/// Programs do not use these classes directly: OpenReadStream(u"http::host/file") gives the body
/// as a stream (Null when the download cannot start); LoadBytes(u"http::host/file") reads it
/// whole, throwing TNullObjectException when it cannot start (open_url.h). Example:
/// examples/download.cpp.
#include <corvax/net/socket_stream.h>

namespace corvax {

/// A response body. With a Content-Length the body ends after that many bytes, and a connection
/// that closes before them is a read error rather than a short body.
class THTTPStream : public TSocketStream {
 public:
  /// A body read from a connection whose response header has been read.
  /// @param socket The connection, owned by the stream.
  /// @param contentLength The body's length; -1: the body runs until the server closes.
  THTTPStream(Ref<TSocket> socket, int contentLength);

  bool AtEnd() override;
  int Read(void* buffer, int count) override;
  /// @return The Content-Length, or 0 when the server gave none.
  int Length() override;

 private:
  int contentLength_;
  int remaining_;
};

/// Only a complete response with a 2xx status gives a stream; anything else (no server, an error
/// or redirect status, a header that is cut short, oversized or not HTTP, a bad Content-Length)
/// gives Null. Redirects are not followed.
class THTTPStreamFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>& url, const String& protocol, const String& path,
                            bool readable, bool writeable) override;
};

/// Sets how long one send or receive on an HTTP connection may wait.
/// @param milliseconds The wait; 0: without limit. 30 seconds by default.
/// @sa HTTPTimeout
void SetHTTPTimeout(int milliseconds);
/// @return How long one send or receive on an HTTP connection may wait, in milliseconds (0:
/// without limit); 30 seconds by default.
/// @sa SetHTTPTimeout
int HTTPTimeout();

}  // namespace corvax
