#include "gamepad_mappings.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace corvax {
namespace {

constexpr std::size_t kGuidDigits = 32;
// Joystick buttons, axes and hats are numbered far below this in any device SDL knows.
constexpr std::size_t kMaxIndexDigits = 3;

constexpr std::array<std::string_view, 21> kButtons = {"a",
                                                       "b",
                                                       "x",
                                                       "y",
                                                       "back",
                                                       "guide",
                                                       "start",
                                                       "leftstick",
                                                       "rightstick",
                                                       "leftshoulder",
                                                       "rightshoulder",
                                                       "dpup",
                                                       "dpdown",
                                                       "dpleft",
                                                       "dpright",
                                                       "misc1",
                                                       "paddle1",
                                                       "paddle2",
                                                       "paddle3",
                                                       "paddle4",
                                                       "touchpad"};
constexpr std::array<std::string_view, 6> kAxes = {"leftx",  "lefty",       "rightx",
                                                   "righty", "lefttrigger", "righttrigger"};
// Fields that say where a mapping applies rather than what it maps.
constexpr std::array<std::string_view, 5> kMetadata = {"platform", "crc", "hint", "sdk>=", "sdk<="};

template <std::size_t N>
bool IsOneOf(std::string_view word, const std::array<std::string_view, N>& words) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

bool IsDigits(std::string_view text) {
  return !text.empty() && text.size() <= kMaxIndexDigits &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

// b<N>, a<N> with an optional + or - half and ~ for inverted, h<N>.<1|2|4|8>.
std::string CheckBinding(std::string_view element, std::string_view binding) {
  const std::string what = Quoted(element) + " has the binding " + Quoted(binding) +
                           ": a binding is b<N>, a<N> (with an optional + or - before and ~ "
                           "after) or h<N>.<1, 2, 4 or 8>";
  std::string_view rest = binding;
  const bool half = !rest.empty() && (rest.front() == '+' || rest.front() == '-');
  if (half) rest.remove_prefix(1);
  if (rest.empty()) return what;
  const char kind = rest.front();
  rest.remove_prefix(1);
  if (kind == 'a') {
    if (!rest.empty() && rest.back() == '~') rest.remove_suffix(1);
    return IsDigits(rest) ? "" : what;
  }
  if (half) return what;
  if (kind == 'b') return IsDigits(rest) ? "" : what;
  if (kind == 'h') {
    const std::size_t dot = rest.find('.');
    if (dot == std::string_view::npos || !IsDigits(rest.substr(0, dot))) return what;
    const std::string_view mask = rest.substr(dot + 1);
    return mask == "1" || mask == "2" || mask == "4" || mask == "8" ? "" : what;
  }
  return what;
}

std::string CheckField(std::string_view field, bool& mapsSomething) {
  const std::size_t colon = field.find(':');
  if (colon == std::string_view::npos) return Quoted(field) + " is not element:binding";
  std::string_view element = field.substr(0, colon);
  const std::string_view value = field.substr(colon + 1);
  if (IsOneOf(element, kMetadata)) {
    return value.empty() ? Quoted(element) + " has no value" : "";
  }
  // An axis may be driven by half of one: +leftx:b1,-leftx:b2.
  const bool half = !element.empty() && (element.front() == '+' || element.front() == '-');
  if (half) element.remove_prefix(1);
  const bool known = IsOneOf(element, kAxes) || (!half && IsOneOf(element, kButtons));
  if (!known) return "unknown element " + Quoted(field.substr(0, colon));
  mapsSomething = true;
  return CheckBinding(field.substr(0, colon), value);
}

std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) {
    line.remove_suffix(1);
  }
  return line;
}

// The value of the line's "platform:" field, empty when it has none.
std::string_view PlatformOf(std::string_view mapping) {
  constexpr std::string_view kKey = ",platform:";
  const std::size_t found = mapping.find(kKey);
  if (found == std::string_view::npos) return {};
  const std::string_view rest = mapping.substr(found + kKey.size());
  return rest.substr(0, rest.find(','));
}

}  // namespace

std::string CheckGamepadMapping(std::string_view line) {
  for (const char c : line) {
    if (static_cast<unsigned char>(c) < ' ') return "a control character in the mapping";
  }
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t comma = line.find(',', start);
    fields.push_back(line.substr(start, comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  // One comma may end the line.
  if (fields.size() > 2 && fields.back().empty()) fields.pop_back();
  const std::string_view guid = fields[0];
  const bool hex = std::all_of(guid.begin(), guid.end(),
                               [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
  if (guid != "xinput" && (guid.size() != kGuidDigits || !hex)) {
    return "the GUID " + Quoted(guid) + " is not 32 hexadecimal digits";
  }
  if (fields.size() < 2 || fields[1].empty()) return "no name after the GUID";
  bool mapsSomething = false;
  for (std::size_t i = 2; i < fields.size(); ++i) {
    if (fields[i].empty()) return "an empty field";
    if (std::string why = CheckField(fields[i], mapsSomething); !why.empty()) return why;
  }
  return mapsSomething ? "" : "no button or axis is mapped";
}

GamepadMappingFile ReadGamepadMappings(std::string_view text, std::string_view platform) {
  GamepadMappingFile file;
  int lineNumber = 0;
  for (std::size_t start = 0; start <= text.size();) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    ++lineNumber;
    const std::string_view line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == '#') continue;
    if (std::string why = CheckGamepadMapping(line); !why.empty()) {
      file.mappings.clear();
      file.error = "line " + std::to_string(lineNumber) + ": " + why;
      return file;
    }
    const std::string_view lineFor = PlatformOf(line);
    if (lineFor.empty() || lineFor == platform) file.mappings.emplace_back(line);
  }
  return file;
}

}  // namespace corvax
