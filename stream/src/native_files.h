#pragma once
// The file-system calls the portable file functions stand on, one implementation per platform
// (posix/native_files.cpp, windows/native_files.cpp). Paths arrive as the framework's text,
// already normalised with SystemPath; each platform spells them its own way (UTF-8 bytes on
// POSIX, UTF-16 on Windows).
#include <cstdint>
#include <cstdio>
#include <optional>

#include <corvax/runtime/string.h>

namespace corvax::native {

// What a path is. Links are followed by Examine and not by TypeOfEntry.
enum class EntryType { kMissing, kFile, kDirectory, kLink, kOther };

struct FileStatus {
  EntryType type;
  std::int64_t modifiedTime;  // seconds since 1970
  std::int64_t size;
  int permissions;  // mode AND 0777
};

std::optional<FileStatus> Examine(const String& path);
// The entry itself: a symbolic link is kLink whatever it points to.
EntryType TypeOfEntry(const String& path);
// Both exist and are the same file, through any spelling or link.
bool SameFile(const String& a, const String& b);

std::FILE* OpenFile(const String& path, const char* mode);

// stdio without its locking: a stream belongs to one thread. Windows's C library has no
// unlocked calls, so there the ordinary ones serve.
#ifdef _WIN32
inline std::size_t ReadBytes(void* buffer, std::size_t count, std::FILE* file) {
  return std::fread(buffer, 1, count, file);
}
inline std::size_t WriteBytes(const void* buffer, std::size_t count, std::FILE* file) {
  return std::fwrite(buffer, 1, count, file);
}
inline int ReadByte(std::FILE* file) {
  return std::getc(file);
}
#else
inline std::size_t ReadBytes(void* buffer, std::size_t count, std::FILE* file) {
  return fread_unlocked(buffer, 1, count, file);
}
inline std::size_t WriteBytes(const void* buffer, std::size_t count, std::FILE* file) {
  return fwrite_unlocked(buffer, 1, count, file);
}
inline int ReadByte(std::FILE* file) {
  return getc_unlocked(file);
}
#endif
// Removes a file or link, never a directory; read-only files go too.
void RemoveEntry(const String& path);
bool Rename(const String& from, const String& to);
void MakeOneDirectory(const String& path);
void RemoveEmptyDirectory(const String& path);
void SetPermissions(const String& path, int mode);
// Makes destination a link with the same target as the link at source.
bool CopyLink(const String& source, const String& destination);

bool ChangeDirectory(const String& path);

// An open listing of a directory's entries.
struct Listing;
Listing* OpenListing(const String& path);
// The next name ("." and ".." included); empty when exhausted.
String NextEntry(Listing* listing);
void CloseListing(Listing* listing);

}  // namespace corvax::native
