#pragma once
/// @defgroup graphics Graphics
/// Graphics drivers, contexts and display modes, frame pacing and the OpenGL graphics driver.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupGraphicsModule() for this module
/// alone, before any other call of the module.
///
/// Example, `examples/first_program.cpp` (the suite builds and runs it):
/// @include first_program.cpp

/// @file
/// @ingroup graphics
/// The graphics module: the graphics core and the OpenGL graphics driver.
#include <corvax/graphics/gl_graphics.h>
#include <corvax/graphics/graphics_core.h>
#include <corvax/graphics/graphics_driver.h>
#include <corvax/graphics/graphics_flags.h>
#include <corvax/graphics/graphics_mode.h>

namespace corvax {

/// Starts the graphics core, then the OpenGL driver, which becomes the current driver.
void StartupGraphicsModule();

}  // namespace corvax
