#include <corvax/plex2d/plex2d_module.h>
#include <corvax/runtime/start_once.h>

#include <corvax/graphics/graphics_core.h>
#include <corvax/pixmap/pixmap_module.h>
#include <corvax/system/polled_input.h>

#include "collision_layers.h"

namespace corvax {

void StartupImageModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupPixmapModule();
  StartupGraphicsCoreModule();
  TImageDataType::Instance();
}

void StartupRendererModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupRuntimeModule();
  StartupPolledInputModule();
  StartupImageModule();
  StartupImageFontModule();
  detail::CollisionLayers();
}

void StartupPlex2DModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupImageModule();
  StartupImageFontModule();
  StartupRendererModule();
  StartupGLPlex2DModule();
}

}  // namespace corvax
