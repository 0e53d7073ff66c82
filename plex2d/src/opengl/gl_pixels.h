#pragma once
// Pixmaps drawn as window pixels, exactly as they are.
#include <corvax/pixmap/pixmap.h>

namespace corvax::detail {

// Draws the pixmap with its top-left corner at window pixel (x, y) of a projection whose
// origin is the top-left corner, as RGBA; blending and texturing are the caller's.
void DrawPixelsAt(const Ref<TPixmap>& pixmap, int x, int y);

}  // namespace corvax::detail
