#pragma once
// Shared between the drawing commands and the 2D context.
#include <corvax/plex2d/plex2d_graphics.h>

namespace corvax::detail {

// The current 2D context; throws the runtime error "No 2D graphics is current" when none is.
TPlex2DGraphics& Current2DOrThrow();
// Recomputes the context's matrix from its rotation and scale and hands it to its driver and
// to the collision module.
void UpdateTransform(TPlex2DGraphics& graphics);

}  // namespace corvax::detail
