#include <corvax/net/http_stream.h>

#include <algorithm>
#include <cctype>
#include <optional>

#include <corvax/net/socket_glue.h>

namespace corvax {
namespace {

int timeoutMs = 30000;

// A header larger than this is not a web server talking.
constexpr int kMaxHeaderBytes = 64 * 1024;

void ApplyTimeout(const Ref<TSocket>& socket) {
  netglue::SetTimeouts(socket->Handle(), timeoutMs);
}

struct Response {
  int status = 0;
  int contentLength = -1;
};

// The status line's code: "HTTP/" then a version, a space and three digits.
std::optional<int> ParseStatusLine(const std::string& line) {
  if (line.rfind("HTTP/", 0) != 0) return std::nullopt;
  const std::size_t space = line.find(' ');
  if (space == std::string::npos || line.size() < space + 4) return std::nullopt;
  int status = 0;
  for (std::size_t i = space + 1; i < space + 4; ++i) {
    if (line[i] < '0' || line[i] > '9') return std::nullopt;
    status = status * 10 + (line[i] - '0');
  }
  if (line.size() > space + 4 && line[space + 4] != ' ') return std::nullopt;
  return status;
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Content-Length's digits; nullopt when it is not a plain non-negative number that fits.
std::optional<int> ParseLength(const std::string& value) {
  if (value.empty() || value.size() > 10) return std::nullopt;
  long long length = 0;
  for (char c : value) {
    if (c < '0' || c > '9') return std::nullopt;
    length = length * 10 + (c - '0');
  }
  if (length > 0x7FFFFFFF) return std::nullopt;
  return static_cast<int>(length);
}

// One header field into the response; false when it makes the response unusable.
bool TakeField(const std::string& line, Response& response) {
  const std::size_t colon = line.find(':');
  if (colon == std::string::npos) return false;
  std::string name = line.substr(0, colon);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (name != "content-length") return true;
  const std::optional<int> length = ParseLength(Trim(line.substr(colon + 1)));
  if (!length || (response.contentLength >= 0 && response.contentLength != *length)) return false;
  response.contentLength = *length;
  return true;
}

// Reads the header byte by byte, so the body's first byte stays in the socket.
std::optional<Response> ReadHeader(TSocket& socket) {
  Response response;
  std::string line;
  bool statusSeen = false;
  for (int total = 0; total < kMaxHeaderBytes; ++total) {
    char byte = 0;
    if (socket.ReceiveData(&byte, 1, 0) != 1 || byte == 0) return std::nullopt;
    if (byte == '\r') continue;
    if (byte != '\n') {
      line += byte;
      continue;
    }
    if (!statusSeen) {
      const std::optional<int> status = ParseStatusLine(line);
      if (!status) return std::nullopt;
      response.status = *status;
      statusSeen = true;
    } else if (line.empty()) {
      return response;
    } else if (!TakeField(line, response)) {
      return std::nullopt;
    }
    line.clear();
  }
  return std::nullopt;
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
  if (remaining_ >= 0) remaining_ -= n;
  return n;
}

int THTTPStream::Length() {
  return contentLength_ < 0 ? 0 : contentLength_;
}

int THTTPStream::EndWaitMs() const {
  return timeoutMs > 0 ? timeoutMs : -1;
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
  const std::optional<Response> response = sent ? ReadHeader(*socket) : std::nullopt;
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
