#pragma once
/// @file
/// @ingroup stream
/// Path text rules: pure string functions that never touch the disk. Paths use '/' inside the
/// framework; a drive letter ("C:") is always followed by '/'. Drive letters are Windows's own:
/// the file-system functions follow them only there (kHostPathRules), while these functions
/// take the rules as an argument, so both sets hold and are tested on every host.
#include <corvax/runtime/string.h>

namespace corvax {

/// Whether "C:" at the start of a path names a drive. Where it does not, "a:b" is an ordinary
/// relative file name.
enum class PathRules { kWithDrives, kWithoutDrives };

/// The rules of the file system this program runs on.
#ifdef _WIN32
inline constexpr PathRules kHostPathRules = PathRules::kWithDrives;
#else
inline constexpr PathRules kHostPathRules = PathRules::kWithoutDrives;
#endif

/// What path resolution returns when a ".." climbs above the root.
inline constexpr char16_t kBadDirectory[] = u"<bad_dir>";

/// @param path Any path.
/// @param rules Whether drives exist.
/// @return True when the path starts with an ASCII letter followed by ':' and the rules have
/// drives.
bool HasDriveLetter(const String& path, PathRules rules = PathRules::kWithDrives);

/// Every '\' becomes '/', "C:" becomes "C:/" and "C:data" becomes "C:/data". The empty path stays
/// empty.
/// @param path Any path.
/// @param isDirectory Whether one trailing '/' is also removed (TrimTrailingSlash).
/// @param rules Whether drives exist.
/// @return The normalised path.
String NormalizePath(String path, bool isDirectory = false,
                     PathRules rules = PathRules::kWithDrives);
/// NormalizePath under the rules of the file system this program runs on.
/// @param path Any path.
/// @param isDirectory Whether one trailing '/' is also removed.
/// @return The text the file-system functions hand to the system.
String SystemPath(const String& path, bool isDirectory = false);
/// Removes one trailing '/', except from "/", from a one-character path and from a drive root such
/// as "C:/".
/// @param path Any path.
/// @param rules Whether drives exist.
/// @return The path.
String TrimTrailingSlash(String path, PathRules rules = PathRules::kWithDrives);

/// The parent of "C:/x" is "C:/" and that of "/x" is "/".
/// @param path Any path.
/// @param rules Whether drives exist.
/// @return The normalised text before the last '/'; "<bad_dir>" when there is no '/' or it ends the
/// path.
String ParentPath(const String& path, PathRules rules = PathRules::kWithDrives);

/// The empty path and "." resolve to workingDirectory itself.
/// @param path Any path.
/// @param workingDirectory What relative paths are counted from.
/// @param rules Whether drives exist.
/// @return An absolute, normalised path with "." and ".." taken out; "<bad_dir>" when a ".." climbs
/// above the root.
String ResolvePath(const String& path, const String& workingDirectory,
                   PathRules rules = PathRules::kWithDrives);

/// @param path Any path.
/// @return The text after the last '/' (the whole path when there is none).
String FileNamePart(const String& path);
/// @param path Any path.
/// @return The path without the text from its last '.' on, when no '/' follows that '.'.
String WithoutExtension(const String& path);
/// FileNamePart of WithoutExtension: "dir/archive.tar.gz" gives "archive.tar".
/// @param path Any path.
/// @return The file name without its extension.
String BaseName(const String& path);
/// @param path Any path.
/// @return The text after the last '.', when no '/' follows it; otherwise empty.
String ExtensionPart(const String& path);

}  // namespace corvax
