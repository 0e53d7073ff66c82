#include <corvax/app/application.h>
#include <corvax/runtime/runtime.h>
#include <corvax/stream/stream_module.h>

namespace corvax {
namespace embedded {
bool RegisterCursorPng();
}

void StartApplicationModules() {
  static bool started = false;
  if (started) return;
  started = true;
  // The embedded file first, so modules started below can already open it.
  embedded::RegisterCursorPng();
  StartupRuntimeModule();
  StartupStreamModule();
}

}  // namespace corvax
