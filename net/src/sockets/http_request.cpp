// The desktop's HTTP: a TCP connection of our own, an HTTP/1.0 request written on it and the
// response head read from it, the body left in the socket for the stream to read.
#include "http_request.h"

#include <optional>

#include <corvax/net/http_stream.h>

#include "http_response_head.h"
#include "socket_glue.h"

namespace corvax {

Ref<TStream> RequestHttpBody(const String& hostAndPort, const String& host, int port,
                             const String& file) {
  const Ref<TSocketStream> connection = TSocketStream::ConnectTo(host, port);
  if (!connection) return nullptr;
  const Ref<TSocket> socket = connection->UnderlyingSocket();
  netglue::SetTimeouts(socket->Handle(), HTTPTimeout());
  const bool sent = connection->WriteTextLine(u"GET " + file + u" HTTP/1.0") &&
                    connection->WriteTextLine(u"Host: " + hostAndPort) &&
                    connection->WriteTextLine(u"");
  // The head is read a byte at a time, so the body's first byte stays in the socket.
  const auto nextByte = [&socket]() -> int {
    unsigned char byte = 0;
    return socket->ReceiveData(&byte, 1, 0) == 1 ? byte : -1;
  };
  const std::optional<HttpResponseHead> response = sent ? ReadResponseHead(nextByte) : std::nullopt;
  if (!response || response->status < 200 || response->status > 299) {
    connection->Close();
    return nullptr;
  }
  return New<THTTPStream>(socket, response->contentLength);
}

}  // namespace corvax
