#pragma once
/// @file
/// @ingroup system
/// What OpenInShell hands to the desktop: addresses with a scheme pass as given; a text naming
/// an existing file or directory becomes a file URL; anything else is taken as a web address.
#include <functional>

#include <corvax/runtime/runtime_module.h>

namespace corvax {

/// The file-system questions PrepareShellUrl asks, replaceable in tests.
struct ShellPathChecks {
  std::function<String(const String&)> resolvePath;  ///< absolute path, or "<bad_dir>"
  std::function<int(const String&)> pathKind;        ///< 0 missing, 1 file, 2 directory
};

/// An anchor ("#...") is split off before the path checks and kept at the end.
/// @param url A web address, or a file or directory path.
/// @param checks The file-system questions.
/// @return The url; files become "file://" + the absolute path, percent-encoded where a URL needs
/// it.
String PrepareShellUrl(const String& url, const ShellPathChecks& checks);

}  // namespace corvax
