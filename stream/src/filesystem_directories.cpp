#include <corvax/stream/filesystem.h>

#include "native_files.h"

namespace corvax {

struct DirectoryEnumeration {
  native::Listing* listing;
};

namespace {

bool IsDots(const String& name) {
  return name == u"." || name == u"..";
}

String Join(const String& directory, const String& name) {
  return directory.empty() || directory.back() == u'/' ? directory + name : directory + u'/' + name;
}

// Tree walks look at each entry itself: a symbolic link is a link here, whatever it points
// to, so that they never wander out of the tree or round a cycle.
using native::EntryType;
using native::TypeOfEntry;

bool MakeOneDirectory(const String& path) {
  native::MakeOneDirectory(path);
  return PathKind(path) == PATH_DIRECTORY;
}

bool MakeDirectoryChain(const String& path) {
  String resolved = ResolvePath(path);
  if (resolved == kBadDirectory || resolved.empty()) return false;
  resolved += u'/';
  for (auto slash = resolved.find(u'/'); slash != String::npos;
       slash = resolved.find(u'/', slash + 1)) {
    // A lone root ("/", "C:/") keeps its slash; any other prefix is examined without it.
    const String prefix = TrimTrailingSlash(resolved.substr(0, slash + 1), kHostPathRules);
    const int kind = PathKind(prefix);
    if (kind == PATH_DIRECTORY) continue;
    if (kind != PATH_MISSING || !MakeOneDirectory(prefix)) return false;
  }
  return true;
}

}  // namespace

bool MakeDirectory(const String& path, bool recursive) {
  const String directory = SystemPath(path, true);
  if (recursive) return MakeDirectoryChain(directory) ? 1 : 0;
  return MakeOneDirectory(directory) ? 1 : 0;
}

bool CopyDirectoryTree(const String& source, const String& destination) {
  const String from = SystemPath(source, true);
  const String to = SystemPath(destination, true);
  if (PathKind(from) != PATH_DIRECTORY) return 0;
  if (PathKind(to) == PATH_MISSING) MakeOneDirectory(to);
  if (PathKind(to) != PATH_DIRECTORY) return 0;
  for (const String& name : ListDirectory(from, true)) {
    const String entry = Join(from, name);
    const String copy = Join(to, name);
    bool copied = true;
    switch (TypeOfEntry(entry)) {
      case EntryType::kDirectory:
        copied = CopyDirectoryTree(entry, copy) == 1;
        break;
      case EntryType::kFile:
        copied = CopyFileContents(entry, copy) == 1;
        break;
      case EntryType::kLink:
        copied = native::CopyLink(entry, copy);
        break;
      case EntryType::kMissing:
        // Gone since the listing, or a name that is not UTF-8 and so cannot be spelled as
        // text: either way it was not copied.
        copied = false;
        break;
      case EntryType::kOther:
        // Devices, pipes and sockets have no contents to copy.
        break;
    }
    if (!copied) return 0;
  }
  return 1;
}

bool RemoveDirectory(const String& path, bool recursive) {
  const String directory = SystemPath(path, true);
  if (recursive) {
    // A link to a directory is not the tree to empty: its target lies elsewhere.
    if (TypeOfEntry(directory) != EntryType::kDirectory) return 0;
    DirectoryEnumeration* listing = OpenDirectory(directory);
    if (!listing) return 0;
    for (String name = NextDirectoryEntry(listing); !name.empty();
         name = NextDirectoryEntry(listing)) {
      if (IsDots(name)) continue;
      const String entry = Join(directory, name);
      if (TypeOfEntry(entry) == EntryType::kDirectory) {
        RemoveDirectory(entry, true);
      } else {
        RemoveFile(entry);
      }
    }
    CloseDirectory(listing);
  }
  native::RemoveEmptyDirectory(directory);
  return TypeOfEntry(directory) == EntryType::kMissing ? 1 : 0;
}

DirectoryEnumeration* OpenDirectory(const String& path) {
  native::Listing* listing = native::OpenListing(SystemPath(path, true));
  if (!listing) return nullptr;
  // The caller owns the handle until CloseDirectory, as with any handle of this C-style API.
  return new DirectoryEnumeration{listing};  // NOLINT(cppcoreguidelines-owning-memory)
}

String NextDirectoryEntry(DirectoryEnumeration* directory) {
  if (!directory) return String();
  return native::NextEntry(directory->listing);
}

void CloseDirectory(DirectoryEnumeration* directory) {
  if (!directory) return;
  native::CloseListing(directory->listing);
  delete directory;  // NOLINT(cppcoreguidelines-owning-memory): the handle OpenDirectory made
}

Array<String> ListDirectory(const String& path, bool skipDots) {
  Array<String> names;
  DirectoryEnumeration* listing = OpenDirectory(path);
  if (!listing) return names;
  for (String name = NextDirectoryEntry(listing); !name.empty();
       name = NextDirectoryEntry(listing)) {
    if (skipDots && IsDots(name)) continue;
    names.Items().push_back(std::move(name));
  }
  CloseDirectory(listing);
  return names;
}

}  // namespace corvax
