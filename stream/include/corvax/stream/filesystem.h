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

/// The current directory, normalised; empty when the system cannot tell it.
String WorkingDirectory();
/// 1 when the working directory changed.
int SetWorkingDirectory(const String& path);
/// ResolvePath counted from the current working directory.
String ResolvePath(const String& path);

/// Replaces whatever file is at path, read-only or not, by an empty one; 1 when an empty file
/// was made. A directory at path is left alone and gives 0.
int MakeEmptyFile(const String& path);
/// 1 if nothing is at path afterwards. Removes files and symbolic links, never directories.
int RemoveFile(const String& path);
/// 1 if the rename succeeded.
int MovePath(const String& from, const String& to);
/// Copies through streams, so a source url ("incbin::...") works too. 0 when either side
/// cannot be opened, when both name the same file, or when writing fails; other stream faults
/// are thrown. Both streams are closed in every case.
int CopyFileContents(const String& source, const String& destination);

/// Recursive: every missing directory along the path is made; fails when a component is
/// something other than a directory. 1 if path is then a directory.
int MakeDirectory(const String& path, bool recursive = false);
/// Copies a directory's files and subdirectories into destination, which is made when missing.
/// Symbolic links are copied as links, never followed. Stops at the first failure with 0.
int CopyDirectoryTree(const String& source, const String& destination);
/// Recursive: removes everything inside first; symbolic links are removed, not followed.
/// 1 if the path does not exist afterwards.
int RemoveDirectory(const String& path, bool recursive = false);

/// An enumeration of a directory's entries, in the order the system gives them.
struct DirectoryEnumeration;
/// Null when the directory cannot be opened.
DirectoryEnumeration* OpenDirectory(const String& path);
/// The next entry name, "." and ".." included; empty when exhausted (or for a Null handle).
String NextDirectoryEntry(DirectoryEnumeration* directory);
/// Accepts Null.
void CloseDirectory(DirectoryEnumeration* directory);
/// Entry names in the order the system gives them (not sorted); without "." and ".." when
/// skipDots is set. Empty when the directory cannot be opened.
Array<String> ListDirectory(const String& path, bool skipDots = true);

/// OpenSeekableStream(url, true, false) and (url, false, true): a stream that knows its
/// position, or Null.
///@{
Ref<TStream> OpenSeekableForReading(const Url& url);
Ref<TStream> OpenSeekableForWriting(const Url& url);
///@}

}  // namespace corvax
