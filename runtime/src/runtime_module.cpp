#include <corvax/runtime/runtime_module.h>

namespace corvax {

void StartupRuntimeModule() {
  // The runtime registers nothing yet; the flag keeps the start-up chain uniform.
  static bool started = false;
  if (!StartOnce(started)) return;
}

}  // namespace corvax
