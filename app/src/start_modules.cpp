#include <corvax/app/application.h>
#include <corvax/corvax.h>

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
  StartupCorvax();
}

}  // namespace corvax
