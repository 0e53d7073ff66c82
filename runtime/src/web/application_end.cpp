// In a page a program that has waited (Asyncify unwound its stack to the browser) returns from
// main into nothing: the page never hears that it ended, and timers or sounds it used keep the
// page's runtime alive. Ending through exit tells the page, as the test programs' main does.
#include <cstdlib>

#include "process_platform.h"

namespace corvax::platform {

int EndApplication(int status) {
  std::exit(status);
}

}  // namespace corvax::platform
