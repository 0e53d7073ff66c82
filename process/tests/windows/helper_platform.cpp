#include <windows.h>

#include "helper_platform.h"

namespace corvax::testing {

int OwnProcessId() {
  return static_cast<int>(::GetCurrentProcessId());
}

void IgnorePoliteEndRequests() {}

bool RunPlatformMode(const std::string&, int, char**) {
  return false;
}

}  // namespace corvax::testing
