#include <corvax/system/chooser.h>

#include <algorithm>

namespace corvax {
namespace {

String ReplaceAll(String text, std::u16string_view from, std::u16string_view to) {
  for (std::size_t at = text.find(from); at != String::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::vector<String> Split(const String& text, char16_t separator) {
  std::vector<String> parts;
  std::size_t start = 0;
  for (std::size_t at = text.find(separator); at != String::npos;
       at = text.find(separator, start)) {
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

// GTK matches patterns with case, the choosers of other desktops without it.
void AddPatternCases(const String& pattern, std::string& out) {
  const std::string lower = ToUtf8(ToLowerAscii(pattern));
  std::string upper = lower;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  out += ' ' + lower;
  if (upper != lower) out += ' ' + upper;
}

std::string ZenityFilterArg(const ChooserFilter& filter) {
  // zenity splits the description from the patterns at '|'.
  std::string arg = "--file-filter=" + ToUtf8(ReplaceAll(filter.description, u"|", u"/")) + " |";
  for (const String& pattern : filter.patterns) AddPatternCases(pattern, arg);
  return arg;
}

}  // namespace

ChooserPath SplitChooserPath(const String& path) {
  const String slashed = ReplaceAll(path, u"\\", u"/");
  const std::size_t last = slashed.rfind(u'/');
  if (last == String::npos) return {u"", slashed};
  return {slashed.substr(0, last), slashed.substr(last + 1)};
}

String ChooserFilterString(const String& extensions) {
  if (extensions.empty()) return u"";
  const String nul(1, u'\0');
  String filter = extensions.find(u':') == String::npos ? u"Files" + nul + u"*." + extensions
                                                        : ReplaceAll(extensions, u":", nul + u"*.");
  filter = ReplaceAll(filter, u";", nul);
  filter = ReplaceAll(filter, u",", u";*.");
  return filter + nul;
}

int ChooserFilterIndex(const String& extensions, const String& path) {
  // The extension of the file name itself: a dot in a directory name says nothing.
  const String name = SplitChooserPath(path).fileName;
  const std::size_t dot = name.rfind(u'.');
  if (dot == String::npos) return 0;
  const String key = u"," + ToLowerAscii(name.substr(dot + 1)) + u",";
  // Opening the first group too lets its first extension match when it has no description.
  String work = u"," + ToLowerAscii(extensions);
  work = ReplaceAll(work, u":", u":,");
  work = ReplaceAll(work, u";", u",;");
  // Closing the last group too lets its last extension match like every other one.
  work += u",";
  const std::size_t at = work.find(key);
  if (at == String::npos) return 0;
  return 1 + static_cast<int>(std::count(work.begin(), work.begin() + at, u';'));
}

std::vector<ChooserFilter> ParseChooserFilters(const String& filterString) {
  std::vector<String> parts = Split(filterString, u'\0');
  std::vector<ChooserFilter> filters;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i + 1].empty()) continue;
    filters.push_back({parts[i], Split(parts[i + 1], u';')});
  }
  return filters;
}

namespace {

// The initial directory and file name joined again, with forward slashes.
String InitialPath(const String& path) {
  const ChooserPath start = SplitChooserPath(path);
  return start.directory.empty() ? start.fileName : start.directory + u"/" + start.fileName;
}

// The filters with the one of the path's group first, as both choosers preselect the first.
std::vector<ChooserFilter> OrderedFilters(const String& extensions, const String& path) {
  std::vector<ChooserFilter> filters = ParseChooserFilters(ChooserFilterString(extensions));
  const int index = ChooserFilterIndex(extensions, path);
  if (index > 1 && index <= static_cast<int>(filters.size())) {
    std::rotate(filters.begin(), filters.begin() + (index - 1), filters.begin() + index);
  }
  return filters;
}

std::string KdialogFilter(const std::vector<ChooserFilter>& filters) {
  std::string text;
  for (const ChooserFilter& filter : filters) {
    if (!text.empty()) text += '\n';
    std::string patterns;
    for (const String& pattern : filter.patterns) AddPatternCases(pattern, patterns);
    text += patterns.substr(1) + "|" + ToUtf8(ReplaceAll(filter.description, u"\n", u" "));
  }
  return text;
}

}  // namespace

std::vector<std::string> ZenityFileChooserArgs(const String& title, const String& extensions,
                                               int save, const String& path) {
  std::vector<std::string> args{"--file-selection", "--title=" + ToUtf8(title)};
  if (save) {
    args.push_back("--save");
    args.push_back("--confirm-overwrite");
  }
  const String initial = InitialPath(path);
  if (!initial.empty()) args.push_back("--filename=" + ToUtf8(initial));
  for (const ChooserFilter& filter : OrderedFilters(extensions, path)) {
    args.push_back(ZenityFilterArg(filter));
  }
  return args;
}

std::vector<std::string> KdialogFileChooserArgs(const String& title, const String& extensions,
                                                int save, const String& path) {
  // kdialog asks before overwriting on its own; its start is a directory or a file.
  std::vector<std::string> args{"--title", ToUtf8(title),
                                save ? "--getsavefilename" : "--getopenfilename"};
  const String initial = InitialPath(path);
  args.push_back(initial.empty() ? "." : ToUtf8(initial));
  const std::vector<ChooserFilter> filters = OrderedFilters(extensions, path);
  if (!filters.empty()) args.push_back(KdialogFilter(filters));
  return args;
}

std::vector<std::string> KdialogFolderChooserArgs(const String& title, const String& directory) {
  return {"--title", ToUtf8(title), "--getexistingdirectory",
          directory.empty() ? "." : ToUtf8(directory)};
}

std::vector<std::string> ZenityFolderChooserArgs(const String& title, const String& directory) {
  std::vector<std::string> args{"--file-selection", "--directory", "--title=" + ToUtf8(title)};
  if (!directory.empty()) {
    // The trailing slash makes zenity open the directory rather than select it in its parent.
    const std::string start = ToUtf8(directory);
    args.push_back("--filename=" + start + (start.ends_with('/') ? "" : "/"));
  }
  return args;
}

}  // namespace corvax
