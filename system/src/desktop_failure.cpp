#include "desktop_failure.h"

#include <cstdio>

namespace corvax {

void ReportDesktopFailure(const std::string& what, const std::string& why) {
  const std::string line = "corvax: cannot " + what + ": " + why + "\n";
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

}  // namespace corvax
