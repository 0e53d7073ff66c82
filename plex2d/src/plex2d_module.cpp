#include <corvax/plex2d/plex2d_module.h>

#include <corvax/graphics/graphics_core.h>
#include <corvax/pixmap/pixmap_module.h>
#include <corvax/system/polled_input.h>

#include "collision_layers.h"

namespace corvax {

void StartupImageModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupPixmapModule();
  StartupGraphicsCoreModule();
  TImageDataType::Instance();
}

void StartupRendererModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupRuntimeModule();
  StartupPolledInputModule();
  StartupImageModule();
  StartupImageFontModule();
  detail::CollisionLayers();
}

void StartupPlex2DModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupImageModule();
  StartupImageFontModule();
  StartupRendererModule();
  StartupGLPlex2DModule();
}

}  // namespace corvax
