#include <corvax/process/process_module.h>

#include <corvax/runtime/exit_actions.h>
#include <corvax/stream/stream_module.h>

namespace corvax {

void StartupProcessModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupStreamModule();
  AddExitAction(&TProcess::KillAll);
}

}  // namespace corvax
