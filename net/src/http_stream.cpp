#include <corvax/net/http_stream.h>

#include <algorithm>

#include "http_request.h"

namespace corvax {
namespace {

int timeoutMs = 30000;

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
  return RequestHttpBody(hostAndPort, host, port, file);
}

void SetHTTPTimeout(int milliseconds) {
  timeoutMs = std::max(milliseconds, 0);
}

int HTTPTimeout() {
  return timeoutMs;
}

}  // namespace corvax
