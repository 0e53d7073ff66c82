#include <unistd.h>

#include <cstdlib>
#include <memory>

#include <corvax/stream/filesystem.h>

namespace corvax {

String WorkingDirectory() {
  // The system sizes the buffer, so a deep directory is never cut short.
  const std::unique_ptr<char, decltype(&std::free)> directory(::getcwd(nullptr, 0), &std::free);
  if (!directory) return String();
  return NormalizePath(FromUtf8(directory.get()));
}

int SetWorkingDirectory(const String& path) {
  return ::chdir(ToUtf8(NormalizePath(path, true)).c_str()) == 0 ? 1 : 0;
}

String ResolvePath(const String& path) {
  return ResolvePath(path, WorkingDirectory());
}

}  // namespace corvax
