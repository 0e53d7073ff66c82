#pragma once
/// @file
/// @ingroup stream
/// What a path is: kind, size, time and permissions. A path that cannot be examined (missing,
/// no permission, or holding '<' or '>') reports 0, -1, 0 and -1. Symbolic links are followed.
#include <cstdint>

#include <corvax/runtime/string.h>

namespace corvax {

/// The results of PathKind.
enum PathKindValue { kPathMissing = 0, kPathFile = 1, kPathDirectory = 2 };

/// @param path Any path.
/// @return A PathKindValue: 0 when the path does not exist or is neither a regular file nor a
/// directory, 1 for a regular file, 2 for a directory.
int PathKind(const String& path);
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
