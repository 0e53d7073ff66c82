#include <corvax/freetype/freetype_module.h>

#include <corvax/pixmap/pixmap_module.h>
#include <corvax/plex2d/plex2d_module.h>
#include <corvax/runtime/runtime_module.h>
#include <corvax/stream/stream_module.h>

namespace corvax {

void StartupFreeTypeModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupRuntimeModule();
  StartupStreamModule();
  StartupPixmapModule();
  StartupPlex2DModule();
  AddFontLoader(New<TFreeTypeFontLoader>());
}

}  // namespace corvax
