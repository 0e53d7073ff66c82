#include <corvax/dx7/dx7_module.h>
#include <corvax/graphics/graphics_core.h>
#include <corvax/plex2d/plex2d_module.h>
#include <corvax/runtime/start_once.h>

#include "d3d7_graphics.h"
#include "d3d7_plex2d.h"
#include "ddraw_library.h"

namespace corvax {

Ref<TGraphicsDriver> D3D7GraphicsDriver() {
  return TD3D7GraphicsDriver::Instance();
}

Ref<TPlex2DDriver> D3D7Plex2DDriver() {
  return TD3D7Plex2DDriver::Instance();
}

void StartupD3D7GraphicsModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupGraphicsCoreModule();
  dx7::LoadDirectDraw();
}

void StartupDX7Module() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupGraphicsCoreModule();
  StartupD3D7GraphicsModule();
  StartupPlex2DModule();
  // Where DirectX 7 works it replaces the OpenGL driver the 2D module selected.
  if (const Ref<TPlex2DDriver> driver = D3D7Plex2DDriver()) SelectGraphicsDriver(driver, 2);
}

}  // namespace corvax
