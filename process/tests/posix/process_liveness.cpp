#include <fstream>
#include <iterator>
#include <string>

#include "process_liveness.h"

namespace corvax::testing {

// A process is gone when its /proc entry is, or it is a zombie nobody has reaped yet.
bool ProcessGone(int pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  if (!stat) return true;
  std::string text;
  try {
    text.assign(std::istreambuf_iterator<char>(stat), std::istreambuf_iterator<char>());
  } catch (const std::ios_base::failure&) {
    // The process was reaped between the open and the read (ESRCH).
    return true;
  }
  const auto close = text.rfind(')');
  return close != std::string::npos && text.size() > close + 2 && text[close + 2] == 'Z';
}

}  // namespace corvax::testing
