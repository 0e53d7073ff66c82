#include "http_response_head.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace corvax {
namespace {

// A header larger than this is not a web server talking.
constexpr int kMaxHeaderBytes = 64 * 1024;

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
bool TakeField(const std::string& line, HttpResponseHead& response) {
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

}  // namespace

std::optional<HttpResponseHead> ReadResponseHead(const std::function<int()>& nextByte) {
  HttpResponseHead response;
  std::string line;
  bool statusSeen = false;
  for (int total = 0; total < kMaxHeaderBytes; ++total) {
    const int next = nextByte();
    if (next <= 0) return std::nullopt;
    const char byte = static_cast<char>(next);
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

}  // namespace corvax
