#pragma once
/// @file
/// @ingroup plex2d
/// Drawing straight into the current OpenGL context in window pixels (top-left origin), for
/// overlays and diagnostics. They leave the 2D renderer's state and the GL matrices as they were
/// and draw in the current GL colour.
#include <corvax/pixmap/pixmap.h>

namespace corvax {

/// A filled rectangle in the current GL colour and screen pixels, outside the 2D transform.
/// @param x Its left edge.
/// @param y Its top edge.
/// @param width Its width.
/// @param height Its height.
void DrawRectDirect(int x, int y, int width, int height);
/// Pixels replace the screen's: no blending.
/// @param pixmap The pixels.
/// @param x The left edge.
/// @param y The top edge.
/// @sa DrawPixmapAt
void DrawPixmapDirect(const Ref<TPixmap>& pixmap, int x, int y);
/// The built-in 8 x 16 font: characters 32-127 drawn, every character advancing 8 pixels.
/// @param text The text.
/// @param x The left edge.
/// @param y The top edge.
/// @sa DrawTextAt
void DrawTextDirect(const String& text, int x, int y);

}  // namespace corvax
