// No DirectDraw outside Windows: the drivers do not exist, and starting the module only starts
// what it depends on, leaving the OpenGL drivers current.
#include <corvax/dx7/dx7_module.h>
#include <corvax/plex2d/plex2d_module.h>
#include <corvax/runtime/start_once.h>

namespace corvax {

Ref<TGraphicsDriver> D3D7GraphicsDriver() {
  return nullptr;
}

Ref<TPlex2DDriver> D3D7Plex2DDriver() {
  return nullptr;
}

void StartupD3D7GraphicsModule() {}

void StartupDX7Module() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupPlex2DModule();
}

}  // namespace corvax
