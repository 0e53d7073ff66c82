#include <corvax/runtime/runtime_module.h>

namespace corvax {

void StartupRuntimeModule() {
  // The runtime registers nothing yet; the flag keeps the start-up chain uniform.
  static bool started = false;
  if (started) return;
  started = true;
}

}  // namespace corvax
