#include "environment.h"

#include <cstdlib>

namespace corvax::testing {

void SetEnvironment(const std::string& name, const std::string& value) {
  ::setenv(name.c_str(), value.c_str(), 1);
}

void UnsetEnvironment(const std::string& name) {
  ::unsetenv(name.c_str());
}

}  // namespace corvax::testing
