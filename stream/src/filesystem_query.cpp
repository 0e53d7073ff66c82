#include <sys/stat.h>

#include <optional>

#include <corvax/stream/filesystem_query.h>
#include <corvax/stream/path.h>

namespace corvax {
namespace {

// Names holding '<' or '>' are refused without asking the system, as the framework does for
// every status query.
std::optional<struct stat> Examine(const String& path) {
  const String normal = NormalizePath(path);
  if (normal.find_first_of(u"<>") != String::npos) return std::nullopt;
  struct stat status;
  if (::stat(ToUtf8(normal).c_str(), &status) != 0) return std::nullopt;
  return status;
}

}  // namespace

int PathKind(const String& path) {
  const auto status = Examine(path);
  if (!status) return kPathMissing;
  if (S_ISREG(status->st_mode)) return kPathFile;
  if (S_ISDIR(status->st_mode)) return kPathDirectory;
  return kPathMissing;
}

std::int64_t PathModifiedTime(const String& path) {
  const auto status = Examine(path);
  return status ? static_cast<std::int64_t>(status->st_mtime) : 0;
}

std::int64_t PathSize(const String& path) {
  const auto status = Examine(path);
  return status ? static_cast<std::int64_t>(status->st_size) : -1;
}

int PathPermissions(const String& path) {
  const auto status = Examine(path);
  return status ? static_cast<int>(status->st_mode & 0777) : -1;
}

void SetPathPermissions(const String& path, int mode) {
  ::chmod(ToUtf8(NormalizePath(path)).c_str(), static_cast<mode_t>(mode & 07777));
}

}  // namespace corvax
