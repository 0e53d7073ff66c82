#include <corvax/stream/stream_module.h>
#include <corvax/system/system_module.h>

namespace corvax {

void StartupSystemModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupStreamModule();
  StartupHookModule();
  StartupEventModule();
  StartupSystemDriverModule();
  StartupEventQueueModule();
  StartupPolledInputModule();
  StartupTimerModule();
}

}  // namespace corvax
