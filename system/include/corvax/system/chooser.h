#pragma once
/// @file
/// @ingroup system
/// What a file chooser is asked for, worked out from the caller's extensions text and path, and
/// the zenity or kdialog command line that asks for it.
#include <string>
#include <vector>

#include <corvax/runtime/runtime_module.h>

namespace corvax {

/// A chooser's start path split into its directory and file name.
struct ChooserPath {
  String directory;  ///< empty when the path names no directory
  String fileName;   ///< empty when the path ends in a separator
};

/// Backslashes count as separators; the path splits at the last one.
/// @param path A chooser's start path.
/// @return Its directory and file name.
ChooserPath SplitChooserPath(const String& path);

/// Pairs of description and patterns, each pair and the whole ending in NUL: "Image
/// Files:png,jpg;Text:txt" gives "Image Files\0*.png;*.jpg\0Text\0*.txt\0", and a text without a
/// description ("png,jpg") is named "Files".
/// @param extensions The extensions, as ChooseFile takes them.
/// @return The filter string; empty extensions give an empty filter.
/// @sa ParseChooserFilters
String ChooserFilterString(const String& extensions);

/// @param extensions The extensions, as ChooseFile takes them.
/// @param path A path.
/// @return The 1-based number of the group of extensions holding the path's file extension
/// (compared without case), or 0 when no group does.
int ChooserFilterIndex(const String& extensions, const String& path);

/// One entry of a chooser's filter list.
struct ChooserFilter {
  String description;            ///< what the user sees
  std::vector<String> patterns;  ///< "*.png", ...
};

/// @param filterString A string from ChooserFilterString.
/// @return Its pairs; a trailing description without patterns is left out.
std::vector<ChooserFilter> ParseChooserFilters(const String& filterString);

/// The filter of the given index is listed first, as zenity preselects the first one.
/// @param title The chooser's title.
/// @param extensions The extensions, as ChooseFile takes them.
/// @param save Non-zero for a save chooser.
/// @param path The start path.
/// @return Arguments after the program name.
std::vector<std::string> ZenityFileChooserArgs(const String& title, const String& extensions,
                                               int save, const String& path);
/// @param title The chooser's title.
/// @param directory Absolute, or empty to let zenity start where it likes.
/// @return Arguments after the program name.
std::vector<std::string> ZenityFolderChooserArgs(const String& title, const String& directory);

/// ZenityFileChooserArgs through kdialog, the chooser of KDE desktops. Its filter lists one filter
/// a line, patterns then "|" and the description, the filter of the given index first.
/// @param title The chooser's title.
/// @param extensions The extensions, as ChooseFile takes them.
/// @param save Non-zero for a save chooser.
/// @param path The start path.
/// @return Arguments after the program name.
std::vector<std::string> KdialogFileChooserArgs(const String& title, const String& extensions,
                                                int save, const String& path);
/// ZenityFolderChooserArgs through kdialog.
/// @param title The chooser's title.
/// @param directory Absolute, or empty.
/// @return Arguments after the program name.
std::vector<std::string> KdialogFolderChooserArgs(const String& title, const String& directory);

}  // namespace corvax
