// On the desktop main returns RunApplication's status to the system as usual.
#include "process_platform.h"

namespace corvax::platform {

int EndApplication(int status) {
  return status;
}

}  // namespace corvax::platform
