#pragma once
#include <optional>
#include <string>
#include <vector>

namespace corvax {

// Runs zenity with the arguments and returns its answer without the line end; nothing when
// zenity is not installed, fails, or the user cancelled.
std::optional<std::string> RunZenity(const std::vector<std::string>& args);

}  // namespace corvax
