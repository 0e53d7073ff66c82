#include <corvax/stream/path.h>

#include <algorithm>

namespace corvax {
namespace {

bool IsAsciiLetter(char16_t c) {
  return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// "C:/", the root of a drive.
bool IsDriveRoot(const String& path, PathRules rules) {
  return path.size() == 3 && HasDriveLetter(path, rules) && path[2] == u'/';
}

// The position of the last '.' when no '/' follows it; npos otherwise.
String::size_type ExtensionDot(const String& path) {
  const auto dot = path.rfind(u'.');
  if (dot == String::npos) return dot;
  return path.find(u'/', dot) == String::npos ? dot : String::npos;
}

}  // namespace

bool HasDriveLetter(const String& path, PathRules rules) {
  return rules == PathRules::kWithDrives && path.size() >= 2 && IsAsciiLetter(path[0]) &&
         path[1] == u':';
}

String NormalizePath(String path, bool isDirectory, PathRules rules) {
  if (path.empty()) return path;
  std::replace(path.begin(), path.end(), u'\\', u'/');
  if (HasDriveLetter(path, rules) && (path.size() == 2 || path[2] != u'/')) {
    path.insert(2, 1, u'/');
  }
  if (isDirectory) path = TrimTrailingSlash(std::move(path), rules);
  return path;
}

String SystemPath(const String& path, bool isDirectory) {
  return NormalizePath(path, isDirectory, kHostPathRules);
}

String TrimTrailingSlash(String path, PathRules rules) {
  if (path.size() <= 1 || IsDriveRoot(path, rules)) return path;
  if (path.back() == u'/') path.pop_back();
  return path;
}

String ParentPath(const String& path, PathRules rules) {
  const String normal = NormalizePath(path, false, rules);
  const auto slash = normal.rfind(u'/');
  if (slash == String::npos || slash + 1 == normal.size()) return kBadDirectory;
  // The parent of "/x" is the root itself, not the empty (relative) path.
  if (slash == 0) return u"/";
  return NormalizePath(normal.substr(0, slash), false, rules);
}

String ResolvePath(const String& path, const String& workingDirectory, PathRules rules) {
  if (path.empty() || path == u".") return workingDirectory;
  String rest = NormalizePath(path, false, rules);
  String prefix;
  if (rest.front() == u'/') {
    prefix = u"/";
    rest.erase(0, 1);
    // A network path keeps both of its leading slashes.
    if (!rest.empty() && rest.front() == u'/') {
      prefix += u'/';
      rest.erase(0, 1);
    }
  }
  if (prefix.empty() && rest.size() >= 3 && HasDriveLetter(rest, rules) && rest[2] == u'/') {
    prefix = rest.substr(0, 3);
    rest.erase(0, 3);
  }
  if (prefix.empty()) prefix = workingDirectory;

  rest += u'/';
  String::size_type start = 0;
  for (auto slash = rest.find(u'/'); slash != String::npos;
       start = slash + 1, slash = rest.find(u'/', start)) {
    const std::u16string_view component(rest.data() + start, slash - start);
    if (component.empty() || component == u".") continue;
    if (component == u"..") {
      prefix = ParentPath(prefix, rules);
      if (prefix == kBadDirectory) return prefix;
      continue;
    }
    if (!prefix.empty() && prefix.back() != u'/') prefix += u'/';
    prefix += component;
  }
  return prefix;
}

String FileNamePart(const String& path) {
  const String normal = NormalizePath(path);
  const auto slash = normal.rfind(u'/');
  return slash == String::npos ? normal : normal.substr(slash + 1);
}

String WithoutExtension(const String& path) {
  const String normal = NormalizePath(path);
  const auto dot = ExtensionDot(normal);
  return dot == String::npos ? normal : normal.substr(0, dot);
}

String BaseName(const String& path) {
  return FileNamePart(WithoutExtension(path));
}

String ExtensionPart(const String& path) {
  const String normal = NormalizePath(path);
  const auto dot = ExtensionDot(normal);
  return dot == String::npos ? String() : normal.substr(dot + 1);
}

}  // namespace corvax
