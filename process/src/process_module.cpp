#include <corvax/process/process_module.h>
#include <corvax/runtime/start_once.h>

#include <corvax/runtime/exit_actions.h>
#include <corvax/stream/stream_module.h>

namespace corvax {

void StartupProcessModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupStreamModule();
  AddExitAction(&TProcess::KillAll);
}

}  // namespace corvax
