#include <dirent.h>
#include <sys/stat.h>

#include <corvax/stream/open_url.h>

namespace corvax {
namespace {

bool IsFileOrDirectory(const String& path) {
  if (path.find_first_of(u"<>") != String::npos) return false;
  struct stat status;
  if (::stat(ToUtf8(path).c_str(), &status) != 0) return false;
  return S_ISREG(status.st_mode) || S_ISDIR(status.st_mode);
}

// The first entry of directory whose name equals name without regard to the case of A-Z.
String FindEntryIgnoringCase(const String& directory, const String& name) {
  DIR* listing = ::opendir(ToUtf8(directory).c_str());
  if (!listing) return String();
  const String wanted = ToLowerAscii(name);
  String found;
  while (const dirent* entry = ::readdir(listing)) {
    String entryName = FromUtf8(entry->d_name);
    if (ToLowerAscii(entryName) == wanted) {
      found = std::move(entryName);
      break;
    }
  }
  ::closedir(listing);
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
