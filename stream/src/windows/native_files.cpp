#include <windows.h>

#include <memory>
#include <string>

#include "native_files.h"

namespace corvax::native {
namespace {

// Windows paths are UTF-16, as the framework's text already is.
std::wstring Spell(const String& path) {
  return std::wstring(path.begin(), path.end());
}

String FromWide(const wchar_t* text) {
  const std::wstring_view view(text);
  return String(view.begin(), view.end());
}

// 100-nanosecond steps from 1601 to 1970.
constexpr std::int64_t kUnixEpochInFileTime = 116444736000000000LL;
constexpr std::int64_t kFileTimeStepsPerSecond = 10000000LL;

std::int64_t ToUnixSeconds(const FILETIME& time) {
  const std::int64_t steps =
      (static_cast<std::int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  return (steps - kUnixEpochInFileTime) / kFileTimeStepsPerSecond;
}

// What POSIX permission bits a Windows file has: everyone may read, and write unless it is
// read-only; directories are also searchable.
int PermissionsOf(DWORD attributes) {
  constexpr int kReadable = 0444, kWritable = 0222, kSearchable = 0111;
  int mode = kReadable;
  if (!(attributes & FILE_ATTRIBUTE_READONLY)) mode |= kWritable;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) mode |= kSearchable;
  return mode;
}

struct HandleCloser {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// The volume and file index that name one file however it is spelt.
std::optional<BY_HANDLE_FILE_INFORMATION> Identity(const String& path) {
  const HANDLE handle =
      ::CreateFileW(Spell(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  const UniqueHandle file(handle);
  BY_HANDLE_FILE_INFORMATION information;
  if (!::GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
  return information;
}

}  // namespace

struct Listing {
  HANDLE search;
  WIN32_FIND_DATAW pending;
  bool hasPending;
};

std::optional<FileStatus> Examine(const String& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(Spell(path).c_str(), GetFileExInfoStandard, &data)) {
    return std::nullopt;
  }
  const bool directory = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
  const std::int64_t size =
      directory ? 0
                : static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                            data.nFileSizeLow);
  return FileStatus{directory ? EntryType::kDirectory : EntryType::kFile,
                    ToUnixSeconds(data.ftLastWriteTime), size,
                    PermissionsOf(data.dwFileAttributes)};
}

EntryType TypeOfEntry(const String& path) {
  const DWORD attributes = ::GetFileAttributesW(Spell(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return EntryType::kMissing;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return EntryType::kLink;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return EntryType::kDirectory;
  return EntryType::kFile;
}

bool SameFile(const String& a, const String& b) {
  const auto first = Identity(a);
  const auto second = Identity(b);
  return first && second && first->dwVolumeSerialNumber == second->dwVolumeSerialNumber &&
         first->nFileIndexHigh == second->nFileIndexHigh &&
         first->nFileIndexLow == second->nFileIndexLow;
}

std::FILE* OpenFile(const String& path, const char* mode) {
  const std::string narrow(mode);
  return ::_wfopen(Spell(path).c_str(), std::wstring(narrow.begin(), narrow.end()).c_str());
}

void RemoveEntry(const String& path) {
  const std::wstring wide = Spell(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  // A read-only file is removed too, as on POSIX where only the directory's permission counts.
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    ::SetFileAttributesW(wide.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  ::DeleteFileW(wide.c_str());
}

bool Rename(const String& from, const String& to) {
  // Like POSIX rename, an existing file at the destination is replaced.
  return ::MoveFileExW(Spell(from).c_str(), Spell(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

void MakeOneDirectory(const String& path) {
  ::CreateDirectoryW(Spell(path).c_str(), nullptr);
}

void RemoveEmptyDirectory(const String& path) {
  ::RemoveDirectoryW(Spell(path).c_str());
}

void SetPermissions(const String& path, int mode) {
  // Windows keeps one bit of these: whether the owner may write.
  constexpr int kOwnerWrite = 0200;
  const std::wstring wide = Spell(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  const DWORD wanted = (mode & kOwnerWrite) ? attributes & ~FILE_ATTRIBUTE_READONLY
                                            : attributes | FILE_ATTRIBUTE_READONLY;
  ::SetFileAttributesW(wide.c_str(), wanted);
}

bool CopyLink(const String&, const String&) {
  // Making symbolic links needs a privilege ordinary Windows accounts lack.
  return false;
}

bool ChangeDirectory(const String& path) {
  return ::SetCurrentDirectoryW(Spell(path).c_str()) != 0;
}

Listing* OpenListing(const String& path) {
  String pattern = path;
  if (!pattern.empty() && pattern.back() != u'/') pattern += u'/';
  pattern += u'*';
  auto listing = std::make_unique<Listing>();
  listing->search = ::FindFirstFileW(Spell(pattern).c_str(), &listing->pending);
  if (listing->search == INVALID_HANDLE_VALUE) return nullptr;
  listing->hasPending = true;
  return listing.release();
}

String NextEntry(Listing* listing) {
  if (!listing->hasPending) return String();
  String name = FromWide(listing->pending.cFileName);
  listing->hasPending = ::FindNextFileW(listing->search, &listing->pending) != 0;
  return name;
}

void CloseListing(Listing* listing) {
  ::FindClose(listing->search);
  delete listing;
}

}  // namespace corvax::native
