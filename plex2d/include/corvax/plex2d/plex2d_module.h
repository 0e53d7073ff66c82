#pragma once
// The 2D renderer: drawing state and commands, images, image fonts, collisions and the OpenGL
// 2D driver.
#include <corvax/plex2d/blend.h>
#include <corvax/plex2d/collision.h>
#include <corvax/plex2d/draw.h>
#include <corvax/plex2d/font.h>
#include <corvax/plex2d/gl_direct_draw.h>
#include <corvax/plex2d/gl_plex2d_driver.h>
#include <corvax/plex2d/image.h>
#include <corvax/plex2d/image_font.h>
#include <corvax/plex2d/image_frame.h>
#include <corvax/plex2d/plex2d_driver.h>
#include <corvax/plex2d/plex2d_graphics.h>
#include <corvax/plex2d/transform.h>

namespace corvax {

// Starts images, image fonts and the renderer, then the OpenGL 2D driver, which becomes the
// current graphics driver.
void StartupPlex2DModule();

}  // namespace corvax
