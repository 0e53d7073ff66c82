#pragma once
// The graphics module: the graphics core and the OpenGL graphics driver.
#include <corvax/graphics/gl_graphics.h>
#include <corvax/graphics/graphics_core.h>
#include <corvax/graphics/graphics_driver.h>
#include <corvax/graphics/graphics_flags.h>
#include <corvax/graphics/graphics_mode.h>

namespace corvax {

// Starts the graphics core, then the OpenGL driver, which becomes the current driver.
void StartupGraphicsModule();

}  // namespace corvax
