#pragma once
/// @file
/// @ingroup plex2d
/// What a 2D back end does for the renderer. A 2D driver is also a graphics driver: it wraps a
/// plain one and hands out 2D contexts over the plain driver's contexts.
///
/// Shapes take local corners (x0, y0)-(x1, y1) and a translation (tx, ty); each local point
/// (x, y) lands at (tx + x*ix + y*iy, ty + x*jx + y*jy) with the last UseTransform.
#include <corvax/graphics/graphics_driver.h>
#include <corvax/pixmap/pixmap.h>
#include <corvax/plex2d/image_frame.h>
#include <corvax/runtime/array.h>

namespace corvax {

/// A graphics driver that also draws 2D: the renderer passes its state on through the Use
/// calls and draws through the Render calls, on the current context.
class TPlex2DDriver : public TGraphicsDriver {
 public:
  /// Null when the driver cannot make a drawable form of the pixmap.
  virtual Ref<TImageFrame> MakeImageFrame(const Ref<TPixmap>& pixmap, int imageFlags) = 0;
  /// The state the drawing functions of draw.h set: blend mode, alpha (0-1), colour (0-255),
  /// clear colour, clipping viewport (pixels, top-left origin), the rotation and scale matrix
  /// and the line width.
  ///@{
  virtual void UseBlendMode(int mode) = 0;
  virtual void UseAlpha(float alpha) = 0;
  virtual void UseColor(int r, int g, int b) = 0;
  virtual void UseClearColor(int r, int g, int b) = 0;
  virtual void UseViewport(int x, int y, int width, int height) = 0;
  virtual void UseTransform(float ix, float iy, float jx, float jy) = 0;
  virtual void UseLineWidth(float width) = 0;
  ///@}
  /// Fills the viewport with the clear colour.
  virtual void ClearTarget() = 0;
  /// A pixel at (x, y), untransformed.
  virtual void RenderPoint(float x, float y) = 0;
  /// Shapes given by local coordinates, mapped by the transform and moved by (tx, ty): a line
  /// from (x0, y0) to (x1, y1), and the rectangle and the oval with those corners.
  ///@{
  virtual void RenderLine(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
  virtual void RenderRect(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
  virtual void RenderOval(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
  ///@}
  /// points: x0, y0, x1, y1, ... each moved by (hx, hy) before the transform.
  virtual void RenderPolygon(const Array<float>& points, float hx, float hy, float tx,
                             float ty) = 0;
  /// Screen pixels, top-left at (x, y); no blending, transform or origin.
  virtual void RenderPixmap(const Ref<TPixmap>& pixmap, int x, int y) = 0;
  /// The back buffer's pixels, row 0 at the top.
  virtual Ref<TPixmap> CapturePixmap(int x, int y, int width, int height) = 0;
};

}  // namespace corvax
