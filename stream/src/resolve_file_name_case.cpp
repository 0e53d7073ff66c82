#include <corvax/stream/open_url.h>

#include "native_files.h"

namespace corvax {
namespace {

bool IsFileOrDirectory(const String& path) {
  if (path.find_first_of(u"<>") != String::npos) return false;
  const auto status = native::Examine(path);
  return status && (status->type == native::EntryType::kFile ||
                    status->type == native::EntryType::kDirectory);
}

// The first entry of directory whose name equals name without regard to the case of A-Z.
String FindEntryIgnoringCase(const String& directory, const String& name) {
  native::Listing* listing = native::OpenListing(directory);
  if (!listing) return String();
  const String wanted = ToLowerAscii(name);
  String found;
  for (String entryName = native::NextEntry(listing); !entryName.empty();
       entryName = native::NextEntry(listing)) {
    if (ToLowerAscii(entryName) == wanted) {
      found = std::move(entryName);
      break;
    }
  }
  native::CloseListing(listing);
  return found;
}

}  // namespace

String ResolveFileNameCase(const String& path) {
  if (IsFileOrDirectory(path)) return path;
  String directory = u".";
  String prefix, name = path;
  const auto slash = path.size() < 2 ? String::npos : path.rfind(u'/', path.size() - 2);
  if (slash != String::npos && slash != 0) {
    prefix = ResolveFileNameCase(path.substr(0, slash));
    if (prefix.empty()) return String();
    directory = prefix;
    name = path.substr(prefix.size() + 1);
  }
  const String entry = FindEntryIgnoringCase(directory, name);
  if (entry.empty()) return String();
  return prefix.empty() ? entry : prefix + u"/" + entry;
}

}  // namespace corvax
