// A gamepad mapping file as it comes from outside, for this platform.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "gamepad_mappings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const corvax::GamepadMappingFile file = corvax::ReadGamepadMappings(text, "Linux");
  // A refused file hands on nothing; an accepted one only lines that pass the check by
  // themselves.
  if (!file.error.empty() && !file.mappings.empty()) __builtin_trap();
  for (const std::string& mapping : file.mappings) {
    if (!corvax::CheckGamepadMapping(mapping).empty()) __builtin_trap();
  }
  return 0;
}
