#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "native_files.h"

namespace corvax::native {
namespace {

// POSIX paths are bytes; the framework's text reaches them as UTF-8.
std::string Spell(const String& path) {
  return ToUtf8(path);
}

EntryType TypeOfMode(mode_t mode) {
  if (S_ISREG(mode)) return EntryType::kFile;
  if (S_ISDIR(mode)) return EntryType::kDirectory;
  if (S_ISLNK(mode)) return EntryType::kLink;
  return EntryType::kOther;
}

}  // namespace

struct Listing {
  DIR* directory;
};

std::optional<FileStatus> Examine(const String& path) {
  struct stat status;
  if (::stat(Spell(path).c_str(), &status) != 0) return std::nullopt;
  return FileStatus{TypeOfMode(status.st_mode), static_cast<std::int64_t>(status.st_mtime),
                    static_cast<std::int64_t>(status.st_size),
                    static_cast<int>(status.st_mode & 0777)};
}

EntryType TypeOfEntry(const String& path) {
  struct stat status;
  if (::lstat(Spell(path).c_str(), &status) != 0) return EntryType::kMissing;
  return TypeOfMode(status.st_mode);
}

bool SameFile(const String& a, const String& b) {
  struct stat first, second;
  return ::stat(Spell(a).c_str(), &first) == 0 && ::stat(Spell(b).c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::FILE* OpenFile(const String& path, const char* mode) {
  return std::fopen(Spell(path).c_str(), mode);
}

void RemoveEntry(const String& path) {
  // unlink, unlike remove, never takes away an empty directory; and no chmod is needed first,
  // which would otherwise reach through a symbolic link to its target.
  ::unlink(Spell(path).c_str());
}

bool Rename(const String& from, const String& to) {
  return std::rename(Spell(from).c_str(), Spell(to).c_str()) == 0;
}

void MakeOneDirectory(const String& path) {
  ::mkdir(Spell(path).c_str(), 0777);
}

void RemoveEmptyDirectory(const String& path) {
  ::rmdir(Spell(path).c_str());
}

void SetPermissions(const String& path, int mode) {
  ::chmod(Spell(path).c_str(), static_cast<mode_t>(mode & 07777));
}

bool CopyLink(const String& source, const String& destination) {
  std::vector<char> target(256);
  for (;;) {
    const ssize_t length = ::readlink(Spell(source).c_str(), target.data(), target.size());
    if (length < 0) return false;
    if (static_cast<std::size_t>(length) < target.size()) {
      target[static_cast<std::size_t>(length)] = '\0';
      break;
    }
    target.resize(target.size() * 2);
  }
  return ::symlink(target.data(), Spell(destination).c_str()) == 0;
}

bool ChangeDirectory(const String& path) {
  return ::chdir(Spell(path).c_str()) == 0;
}

Listing* OpenListing(const String& path) {
  DIR* directory = ::opendir(Spell(path).c_str());
  return directory ? new Listing{directory} : nullptr;
}

String NextEntry(Listing* listing) {
  const dirent* entry = ::readdir(listing->directory);
  return entry ? FromUtf8(entry->d_name) : String();
}

void CloseListing(Listing* listing) {
  ::closedir(listing->directory);
  delete listing;  // NOLINT(cppcoreguidelines-owning-memory): the handle OpenListing made
}

}  // namespace corvax::native
