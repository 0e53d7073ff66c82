#include <corvax/stream/filesystem_query.h>
#include <corvax/stream/path.h>

#include "native_files.h"

namespace corvax {
namespace {

// Names holding '<' or '>' are refused without asking the system, as the framework does for
// every status query.
std::optional<native::FileStatus> Examine(const String& path) {
  const String normal = SystemPath(path);
  if (normal.find_first_of(u"<>") != String::npos) return std::nullopt;
  return native::Examine(normal);
}

}  // namespace

PathKindValue PathKind(const String& path) {
  const auto status = Examine(path);
  if (!status) return PATH_MISSING;
  if (status->type == native::EntryType::kFile) return PATH_FILE;
  if (status->type == native::EntryType::kDirectory) return PATH_DIRECTORY;
  return PATH_MISSING;
}

std::int64_t PathModifiedTime(const String& path) {
  const auto status = Examine(path);
  return status ? status->modifiedTime : 0;
}

std::int64_t PathSize(const String& path) {
  const auto status = Examine(path);
  return status ? status->size : -1;
}

int PathPermissions(const String& path) {
  const auto status = Examine(path);
  return status ? status->permissions : -1;
}

void SetPathPermissions(const String& path, int mode) {
  native::SetPermissions(SystemPath(path), mode);
}

}  // namespace corvax
