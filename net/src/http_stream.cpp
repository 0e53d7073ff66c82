#include <corvax/net/http_stream.h>

#include <algorithm>
#include <optional>

#include "socket_glue.h"

#include "http_response_head.h"

namespace corvax {
namespace {

int timeoutMs = 30000;

void ApplyTimeout(const Ref<TSocket>& socket) {
  netglue::SetTimeouts(socket->Handle(), timeoutMs);
}

// Spaces, control characters or non-ASCII in the url would change the request's meaning.
bool IsRequestText(const String& text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) { return c > 0x20 && c < 0x7F; });
}

}  // namespace

THTTPStream::THTTPStream(Ref<TSocket> socket, int contentLength)
    : TSocketStream(std::move(socket), 1),
      contentLength_(contentLength),
      remaining_(contentLength) {}

bool THTTPStream::AtEnd() {
  if (!UnderlyingSocket()) return true;
  if (remaining_ == 0) return true;
  // Bytes still owed: the next read delivers them or reports the connection's failure.
  if (remaining_ > 0) return false;
  return TSocketStream::AtEnd();
}

int THTTPStream::Read(void* buffer, int count) {
  if (remaining_ >= 0) count = std::min(count, remaining_);
  if (count <= 0) return 0;
  const int n = TSocketStream::Read(buffer, count);
  if (remaining_ < 0) return n;
  remaining_ -= n;
  // Nothing came while body bytes are owed: the server closed or stalled, the body is cut short.
  if (n == 0) throw TStreamReadException();
  return n;
}

int THTTPStream::Length() {
  return contentLength_ < 0 ? 0 : contentLength_;
}

Ref<TStream> THTTPStreamFactory::CreateStream(const Ref<Object>&, const String& protocol,
                                              const String& path, bool, bool) {
  if (protocol != u"http" || !IsRequestText(path)) return nullptr;
  const std::size_t slash = path.find(u'/');
  const String hostAndPort = path.substr(0, slash);
  const String file = slash == String::npos ? String(u"/") : path.substr(slash);
  String host;
  const int port = SplitHostPort(hostAndPort, host);
  if (port == 0) return nullptr;
  const Ref<TSocketStream> connection = TSocketStream::ConnectTo(host, port);
  if (!connection) return nullptr;
  const Ref<TSocket> socket = connection->UnderlyingSocket();
  ApplyTimeout(socket);
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

void SetHTTPTimeout(int milliseconds) {
  timeoutMs = std::max(milliseconds, 0);
}

int HTTPTimeout() {
  return timeoutMs;
}

}  // namespace corvax
