#include "environment.h"

#include <cstdlib>

namespace corvax::testing {

// _putenv_s changes the C runtime's copy and the process environment that SDL and child
// programs read; an empty value removes the variable.
void SetEnvironment(const std::string& name, const std::string& value) {
  ::_putenv_s(name.c_str(), value.c_str());
}

void UnsetEnvironment(const std::string& name) {
  ::_putenv_s(name.c_str(), "");
}

}  // namespace corvax::testing
