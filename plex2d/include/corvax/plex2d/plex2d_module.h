#pragma once
/// @defgroup plex2d 2D renderer
/// Drawing state and commands, images, image fonts, collisions and the OpenGL 2D driver. Start-up:
/// StartupCorvax() from <corvax/corvax.h>, or StartupPlex2DModule() for this module alone, before
/// any other call of the module.
///
/// Example, `examples/shapes.cpp` (the suite builds and runs it):
/// @include shapes.cpp

/// @file
/// @ingroup plex2d
/// The 2D renderer: drawing state and commands, images, image fonts, collisions and the OpenGL
/// 2D driver.
#include <corvax/plex2d/blend.h>
#include <corvax/plex2d/capture.h>
#include <corvax/plex2d/collision.h>
#include <corvax/plex2d/color.h>
#include <corvax/plex2d/draw.h>
#include <corvax/plex2d/font.h>
#include <corvax/plex2d/gl_direct_draw.h>
#include <corvax/plex2d/gl_plex2d_driver.h>
#include <corvax/plex2d/image.h>
#include <corvax/plex2d/image_font.h>
#include <corvax/plex2d/image_frame.h>
#include <corvax/plex2d/plex2d_driver.h>
#include <corvax/plex2d/plex2d_graphics.h>
#include <corvax/plex2d/point.h>
#include <corvax/plex2d/rect.h>
#include <corvax/plex2d/transform.h>

namespace corvax {

/// Starts images, image fonts and the renderer, then the OpenGL 2D driver, which becomes the
/// current graphics driver.
void StartupPlex2DModule();

}  // namespace corvax
