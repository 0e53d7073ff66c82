#pragma once
// Setting and removing environment variables from tests, the same call on every platform: test
// support only.
#include <string>

namespace corvax::testing {

// Sets `name` to `value` for this process and the programs it starts.
void SetEnvironment(const std::string& name, const std::string& value);
// Removes `name` from this process's environment.
void UnsetEnvironment(const std::string& name);

}  // namespace corvax::testing
