#include <corvax/stream/filesystem.h>

#include <corvax/runtime/application_entry.h>

#include "native_files.h"

namespace corvax {

String WorkingDirectory() {
  const String directory = SystemWorkingDirectory();
  return directory.empty() ? directory : SystemPath(directory);
}

bool SetWorkingDirectory(const String& path) {
  return native::ChangeDirectory(SystemPath(path, true)) ? 1 : 0;
}

String ResolvePath(const String& path) {
  return ResolvePath(path, WorkingDirectory(), kHostPathRules);
}

}  // namespace corvax
