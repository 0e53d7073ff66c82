#include <corvax/app/application.h>
#include <corvax/audio/audio_module.h>
#include <corvax/freetype/freetype_module.h>
#include <corvax/graphics/graphics.h>
#include <corvax/net/net_module.h>
#include <corvax/pixmap/pixmap_module.h>
#include <corvax/plex2d/plex2d.h>
#include <corvax/process/process_module.h>
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
  // Each module starts the ones it needs first; this order only decides which independent
  // module goes first. Registries are asked newest first, and the last 2D driver to start
  // becomes the current graphics driver. The socket and HTTP protocols come before the text
  // streams, so the text protocols are asked first.
  StartupRuntimeModule();
  StartupAudioModule();
  StartupNetModule();
  StartupStreamModule();
  StartupPixmapModule();
  StartupGraphicsModule();
  StartupPlex2DModule();
  StartupSystemModule();
  StartupFreeTypeModule();
  StartupProcessModule();
}

}  // namespace corvax
