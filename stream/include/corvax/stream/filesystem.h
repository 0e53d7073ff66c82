#pragma once
/// @file
/// @ingroup stream
/// Files and directories. No function here throws for a missing or unreadable path: results
/// report failure (0, -1, empty text or array, Null). Paths reach the system as UTF-8.
#include <corvax/runtime/array.h>
#include <corvax/stream/filesystem_query.h>
#include <corvax/stream/path.h>
#include <corvax/stream/seekable_stream.h>
#include <corvax/stream/stream.h>
#include <corvax/stream/url.h>

namespace corvax {

/// @return The current directory, normalised; empty when the system cannot tell it.
/// @sa SetWorkingDirectory
String WorkingDirectory();
/// @param path The new working directory.
/// @return true when the working directory changed, else false.
bool SetWorkingDirectory(const String& path);
/// ResolvePath counted from the current working directory.
/// @param path Any path.
/// @return The absolute, normalised path; "<bad_dir>" when a ".." climbs above the root.
String ResolvePath(const String& path);

/// Replaces whatever file is at path, read-only or not, by an empty one. A directory at path is
/// left alone.
/// @param path The file's path.
/// @return true when an empty file was made, else false.
bool MakeEmptyFile(const String& path);
/// Removes files and symbolic links, never directories.
/// @param path The file's path.
/// @return true if nothing is at path afterwards, else false.
/// @sa RemoveDirectory
bool RemoveFile(const String& path);
/// Renames a file or directory.
/// @param from The present path.
/// @param to The new path.
/// @return true if the rename succeeded, else false.
bool MovePath(const String& from, const String& to);
/// Copies through streams, so a source url ("incbin::...") works too. Stream faults other than
/// those below are thrown. Both streams are closed in every case.
/// @param source The file or url to copy.
/// @param destination The file written.
/// @return true when copied; false when either side cannot be opened, when both name the same file,
/// or when writing fails.
bool CopyFileContents(const String& source, const String& destination);

/// Makes a directory.
/// @param path The directory's path.
/// @param recursive Whether every missing directory along the path is made; that fails when a
/// component is something other than a directory.
/// @return true if path is then a directory, else false.
bool MakeDirectory(const String& path, bool recursive = false);
/// Copies a directory's files and subdirectories into destination, which is made when missing.
/// Symbolic links are copied as links, never followed.
/// @param source The directory to copy.
/// @param destination Where the copy goes.
/// @return true when everything was copied; false at the first failure, where copying stops.
bool CopyDirectoryTree(const String& source, const String& destination);
/// Removes a directory.
/// @param path The directory's path.
/// @param recursive Whether everything inside is removed first; symbolic links are removed, not
/// followed.
/// @return true if the path does not exist afterwards, else false.
bool RemoveDirectory(const String& path, bool recursive = false);

/// An enumeration of a directory's entries, in the order the system gives them.
struct DirectoryEnumeration;
/// @param path The directory's path.
/// @return An enumeration of its entries; Null when the directory cannot be opened.
/// @sa NextDirectoryEntry, CloseDirectory
DirectoryEnumeration* OpenDirectory(const String& path);
/// @param directory An enumeration from OpenDirectory.
/// @return The next entry name, "." and ".." included; empty when exhausted (or for a Null handle).
String NextDirectoryEntry(DirectoryEnumeration* directory);
/// Ends an enumeration.
/// @param directory An enumeration from OpenDirectory; Null is accepted.
void CloseDirectory(DirectoryEnumeration* directory);
/// @param path The directory's path.
/// @param skipDots Whether "." and ".." are left out.
/// @return Entry names in the order the system gives them (not sorted); empty when the directory
/// cannot be opened.
Array<String> ListDirectory(const String& path, bool skipDots = true);

/// OpenSeekableStream(url, true, false).
/// @param url What to open.
/// @return A stream that knows its position, or Null.
Ref<TStream> OpenSeekableForReading(const Url& url);
/// OpenSeekableStream(url, false, true).
/// @param url What to open.
/// @return A stream that knows its position, or Null.
Ref<TStream> OpenSeekableForWriting(const Url& url);

}  // namespace corvax
