#include <corvax/runtime/start_once.h>
#include <corvax/stream/stream_module.h>
#include <corvax/system/system_module.h>

namespace corvax {

void StartupSystemModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupStreamModule();
  StartupHookModule();
  StartupEventModule();
  StartupSystemDriverModule();
  StartupEventQueueModule();
  StartupPolledInputModule();
  StartupTimerModule();
  StartupRunRecordingModule();
}

}  // namespace corvax
