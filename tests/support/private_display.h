#pragma once
// An X server of the test's own, so that tests moving the pointer and the keyboard focus do
// not disturb, or get disturbed by, other programs on a shared display.
#include <string>

#include <sys/types.h>

namespace corvax::testing {

class PrivateDisplay {
 public:
  PrivateDisplay() = default;
  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;
  ~PrivateDisplay() { Stop(); }

  // Starts Xvfb on a free display with one screen of the given geometry ("WIDTHxHEIGHTxDEPTH")
  // and points DISPLAY at it; false when Xvfb cannot start.
  bool Start(const std::string& screen = "1024x768x24");
  void Stop();

 private:
  pid_t server_ = -1;
};

}  // namespace corvax::testing
