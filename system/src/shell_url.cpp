#include <corvax/system/shell_url.h>

namespace corvax {
namespace {

bool IsLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool IsSchemeChar(char16_t c) {
  return IsLetter(c) || (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
}

// "https://...", "ftp://...": a scheme of two or more characters, so "c://x" stays a path.
bool HasSchemeWithAuthority(const String& url) {
  const std::size_t colon = url.find(u"://");
  if (colon == String::npos || colon < 2) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    if (i == 0 ? !IsLetter(url[i]) : !IsSchemeChar(url[i])) return false;
  }
  return true;
}

String PercentEncodePath(const String& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (unsigned char byte : ToUtf8(path)) {
    const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                       (byte >= '0' && byte <= '9') || byte == '/' || byte == '-' || byte == '.' ||
                       byte == '_' || byte == '~';
    if (plain) {
      encoded += static_cast<char>(byte);
    } else {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 15];
    }
  }
  return From8Bit(encoded);
}

}  // namespace

String PrepareShellUrl(const String& url, const ShellPathChecks& checks) {
  const String scheme = ToLowerAscii(url.substr(0, 5));
  if (scheme == u"http:" || scheme == u"file:" || HasSchemeWithAuthority(url)) return url;
  const std::size_t hash = url.find(u'#');
  const String target = url.substr(0, hash);
  const String anchor = hash == String::npos ? String() : url.substr(hash);
  const String resolved = checks.resolvePath(target);
  if (checks.pathKind(resolved) != 0) return u"file://" + PercentEncodePath(resolved) + anchor;
  return u"http:" + target + anchor;
}

}  // namespace corvax
