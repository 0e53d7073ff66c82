#pragma once
/// @file
/// @ingroup stream
/// What a path is: kind, size, time and permissions. A path that cannot be examined (missing,
/// no permission, or holding '<' or '>') reports 0, -1, 0 and -1. Symbolic links are followed.
#include <cstdint>

#include <corvax/runtime/string.h>

namespace corvax {

/// The results of PathKind; they compare equal to the integers 0, 1 and 2.
enum PathKindValue : int {
  /// Nothing there, or neither a regular file nor a directory.
  PATH_MISSING = 0,
  /// A regular file.
  PATH_FILE = 1,
  /// A directory.
  PATH_DIRECTORY = 2,
  /// Deprecated: the earlier names, kept so that programs using them build.
  kPathMissing = PATH_MISSING,
  kPathFile = PATH_FILE,
  kPathDirectory = PATH_DIRECTORY,
};

/// @param path Any path.
/// @return PATH_MISSING (0) when the path does not exist or is neither a regular file nor a
/// directory, PATH_FILE (1) for a regular file, PATH_DIRECTORY (2) for a directory.
[[nodiscard]] PathKindValue PathKind(const String& path);
/// @param path Any path.
/// @return Seconds since 1970 of the last modification; 0 when the path cannot be examined.
std::int64_t PathModifiedTime(const String& path);
/// @param path Any path.
/// @return Size in bytes; -1 when the path cannot be examined.
std::int64_t PathSize(const String& path);
/// @param path Any path.
/// @return The permission bits (mode AND 0777); -1 when the path cannot be examined.
/// @sa SetPathPermissions
int PathPermissions(const String& path);
/// Sets the permission bits (mode AND 07777); a path that cannot be changed stays as it was.
/// @param path Any path.
/// @param mode The bits.
void SetPathPermissions(const String& path, int mode);

}  // namespace corvax
