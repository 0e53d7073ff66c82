#include <corvax/app/application.h>
#include <corvax/corvax.h>
#include <corvax/runtime/start_once.h>

namespace corvax {
namespace embedded {
bool RegisterCursorPng();
}

void StartApplicationModules() {
  static bool started = false;
  if (!StartOnce(started)) return;
  // The embedded file first, so modules started below can already open it.
  embedded::RegisterCursorPng();
  StartupCorvax();
}

}  // namespace corvax
