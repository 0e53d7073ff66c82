#pragma once
/// @defgroup dx7 DirectX 7
/// A graphics driver over DirectDraw 7 and Direct3D 7 and the 2D driver that draws through it,
/// current where DirectX 7 can be used; the same programs run on it unchanged. Start-up:
/// StartupCorvax() from <corvax/corvax.h>, or StartupDX7Module() for this module alone, before any
/// other call of the module.
///
/// Example, `examples/first_program.cpp` (the suite builds and runs it):
/// @include first_program.cpp

/// @file
/// @ingroup dx7
/// The DirectX 7 back end: a graphics driver over DirectDraw 7 and Direct3D 7, and the 2D driver
/// that draws through it. DirectDraw is loaded when the module starts; where it is missing (on
/// every system but Windows, or on a Windows machine without a 3D-capable DirectDraw 7) the
/// drivers do not exist and the OpenGL drivers stay current.
#include <corvax/graphics/graphics_driver.h>
#include <corvax/plex2d/plex2d_driver.h>

namespace corvax {

/// @return The DirectX 7 graphics driver, or Null when DirectX 7 cannot be used here.
Ref<TGraphicsDriver> D3D7GraphicsDriver();
/// @return The DirectX 7 2D driver ("DirectX7"), or Null when the graphics driver is Null.
Ref<TPlex2DDriver> D3D7Plex2DDriver();

/// Loads DirectDraw (once); the graphics driver is asked for only after this.
void StartupD3D7GraphicsModule();
/// Starts the DirectX 7 graphics module and the OpenGL 2D module, then makes the DirectX 7 2D
/// driver the current graphics driver when it exists.
void StartupDX7Module();

}  // namespace corvax
