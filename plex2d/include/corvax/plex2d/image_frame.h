#pragma once
/// @file
/// @ingroup plex2d
/// A driver's drawable form of one image frame: a texture or a surface.
#include <vector>

#include <corvax/runtime/object.h>

namespace corvax {

/// A part of an image frame's picture, in fractions of its width and height (0 to 1).
struct FramePart {
  /// The left edge.
  float left = 0;
  /// The top edge.
  float top = 0;
  /// The right edge.
  float right = 1;
  /// The bottom edge.
  float bottom = 1;
};

/// A part of an image frame's picture stretched over a local rectangle, mapped by the current
/// transform and moved by (tx, ty).
struct FrameQuad {
  /// The part of the picture.
  FramePart part;
  /// The local rectangle's left.
  float x0 = 0;
  /// Its top.
  float y0 = 0;
  /// Its right.
  float x1 = 0;
  /// Its bottom.
  float y1 = 0;
  /// Added to x after the transform.
  float tx = 0;
  /// Added to y after the transform.
  float ty = 0;
};

/// One image frame in the form a 2D driver draws (a texture, for OpenGL).
class TImageFrame : public Object {
 public:
  /// Draws the whole picture stretched over a local rectangle, mapped by the current transform
  /// and moved by (tx, ty).
  /// @param x0 The rectangle's left.
  /// @param y0 Its top.
  /// @param x1 Its right.
  /// @param y1 Its bottom.
  /// @param tx Added to x after the transform.
  /// @param ty Added to y after the transform.
  virtual void RenderFrame(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
  /// Draws parts of the picture, each as RenderFrame draws the whole, in one go: many small
  /// pictures can then share one frame (a glyph atlas, a sprite sheet) and draw together.
  /// @param quads The parts and where each goes.
  virtual void RenderFrameParts(const std::vector<FrameQuad>& quads) = 0;
};

}  // namespace corvax
