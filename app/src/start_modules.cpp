#include <corvax/app/application.h>
#include <corvax/graphics/graphics.h>
#include <corvax/pixmap/pixmap_module.h>
#include <corvax/plex2d/plex2d.h>
#include <corvax/runtime/runtime.h>
#include <corvax/stream/stream_module.h>
#include <corvax/system/system.h>

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
  // Each module starts the ones it needs first, so this order only fixes which of the
  // independent ones go first: registries are asked newest first.
  StartupRuntimeModule();
  StartupStreamModule();
  StartupPixmapModule();
  StartupGraphicsModule();
  StartupPlex2DModule();
  StartupSystemModule();
}

}  // namespace corvax
