#pragma once
// The common gamepad mapping format ("gamecontrollerdb.txt"): one gamepad a line, as
//   GUID,name,element:binding,...,platform:Linux,
// with '#' comments and blank lines. A reader of outside bytes: every line is checked before any
// reaches SDL, whose own parser takes much it does not understand without a word.
#include <string>
#include <string_view>
#include <vector>

namespace corvax {

// Empty when the line is a well-formed mapping; otherwise what is wrong with it.
std::string CheckGamepadMapping(std::string_view line);

struct GamepadMappingFile {
  std::vector<std::string> mappings;  // the lines meant for this platform, in file order
  std::string error;                  // "line N: why" for the first bad line; then no mappings
};

// The mappings of a whole file for the platform SDL names (SDL_GetPlatform); lines naming
// another platform are left out, as SDL leaves them out.
GamepadMappingFile ReadGamepadMappings(std::string_view text, std::string_view platform);

}  // namespace corvax
