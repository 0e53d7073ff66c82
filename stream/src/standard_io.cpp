#include <corvax/stream/standard_io.h>

#include <cstdio>

namespace corvax {

int TCStandardIO::Flush() {
  std::fflush(stdout);
  return 0;
}

int TCStandardIO::Read(void* buffer, int count) {
  if (count <= 0) return 0;
  return static_cast<int>(std::fread(buffer, 1, static_cast<std::size_t>(count), stdin));
}

int TCStandardIO::Write(const void* buffer, int count) {
  if (count <= 0) return 0;
  return static_cast<int>(std::fwrite(buffer, 1, static_cast<std::size_t>(count), stdout));
}

}  // namespace corvax
