// The head of an HTTP response as a server sends it, read a byte at a time.
#include <cstddef>
#include <cstdint>

#include "http_response_head.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::size_t next = 0;
  const auto head =
      corvax::ReadResponseHead([&]() -> int { return next < size ? data[next++] : -1; });
  // The head is read up to its empty line and never past it.
  if (head && (next > size || head->contentLength < -1)) __builtin_trap();
  return 0;
}
