#pragma once
// The head of an HTTP response: the status line and the fields up to the empty line.
#include <functional>
#include <optional>

namespace corvax {

struct HttpResponseHead {
  int status = 0;
  int contentLength = -1;  // -1 without a Content-Length field
};

// Reads the head one byte at a time from nextByte (which gives -1 when no byte comes), and no
// byte past its empty line. Nothing for a head that is cut short, oversized, not HTTP, holds a
// 0 byte, or gives a Content-Length that is not a plain number or disagrees with another.
std::optional<HttpResponseHead> ReadResponseHead(const std::function<int()>& nextByte);

}  // namespace corvax
