#pragma once
/// @file
/// @ingroup plex2d
/// A driver's drawable form of one image frame: a texture or a surface.
#include <corvax/runtime/object.h>

namespace corvax {

/// One image frame in the form a 2D driver draws (a texture, for OpenGL).
class TImageFrame : public Object {
 public:
  /// Draws the whole picture stretched over the local rectangle (x0, y0)-(x1, y1), mapped by the
  /// current transform and moved by (tx, ty).
  virtual void RenderFrame(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
};

}  // namespace corvax
