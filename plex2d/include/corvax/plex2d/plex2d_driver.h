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
  /// @param pixmap The frame's pixels.
  /// @param imageFlags The image's IMAGE_ flags.
  /// @return The drawable form; Null when the driver cannot make one of the pixmap.
  /// @sa TImage::FrameFor
  virtual Ref<TImageFrame> MakeImageFrame(const Ref<TPixmap>& pixmap, int imageFlags) = 0;

  // The state the drawing functions of draw.h set.

  /// @param mode A BLEND_ constant.
  /// @sa SetBlendMode
  virtual void UseBlendMode(int mode) = 0;
  /// @param alpha The opacity, 0-1.
  /// @sa SetDrawAlpha
  virtual void UseAlpha(float alpha) = 0;
  /// The drawing colour.
  /// @param r Red, 0-255.
  /// @param g Green, 0-255.
  /// @param b Blue, 0-255.
  /// @sa SetDrawColor
  virtual void UseColor(int r, int g, int b) = 0;
  /// The colour ClearTarget fills with.
  /// @param r Red, 0-255.
  /// @param g Green, 0-255.
  /// @param b Blue, 0-255.
  /// @sa SetClearColor
  virtual void UseClearColor(int r, int g, int b) = 0;
  /// The clipping viewport, in pixels, top-left origin.
  /// @param x Its left edge.
  /// @param y Its top edge.
  /// @param width Its width.
  /// @param height Its height.
  /// @sa SetClipViewport
  virtual void UseViewport(int x, int y, int width, int height) = 0;
  /// The rotation and scale matrix (Transform2D).
  /// @param ix Its x by local x.
  /// @param iy Its x by local y.
  /// @param jx Its y by local x.
  /// @param jy Its y by local y.
  /// @sa SetRotationAndScale
  virtual void UseTransform(float ix, float iy, float jx, float jy) = 0;
  /// @param width The line width in pixels.
  /// @sa SetLineThickness
  virtual void UseLineWidth(float width) = 0;
  /// Fills the viewport with the clear colour.
  virtual void ClearTarget() = 0;
  /// A pixel, untransformed.
  /// @param x Its x.
  /// @param y Its y.
  virtual void RenderPoint(float x, float y) = 0;
  /// A line given by local coordinates, mapped by the transform and moved by (tx, ty).
  /// @param x0 The start's local x.
  /// @param y0 The start's local y.
  /// @param x1 The end's local x.
  /// @param y1 The end's local y.
  /// @param tx Added to x after the transform.
  /// @param ty Added to y after the transform.
  virtual void RenderLine(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
  /// A filled rectangle given by local corners, mapped by the transform and moved by (tx, ty).
  /// @param x0 The left.
  /// @param y0 The top.
  /// @param x1 The right.
  /// @param y1 The bottom.
  /// @param tx Added to x after the transform.
  /// @param ty Added to y after the transform.
  virtual void RenderRect(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
  /// The filled oval inside a rectangle given by local corners, mapped by the transform and
  /// moved by (tx, ty).
  /// @param x0 The left.
  /// @param y0 The top.
  /// @param x1 The right.
  /// @param y1 The bottom.
  /// @param tx Added to x after the transform.
  /// @param ty Added to y after the transform.
  virtual void RenderOval(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
  /// A filled polygon.
  /// @param points x0, y0, x1, y1, ... each moved by (hx, hy) before the transform.
  /// @param hx Added to each local x.
  /// @param hy Added to each local y.
  /// @param tx Added to x after the transform.
  /// @param ty Added to y after the transform.
  virtual void RenderPolygon(const Array<float>& points, float hx, float hy, float tx,
                             float ty) = 0;
  /// Screen pixels; no blending, transform or origin.
  /// @param pixmap The pixels.
  /// @param x The left edge.
  /// @param y The top edge.
  virtual void RenderPixmap(const Ref<TPixmap>& pixmap, int x, int y) = 0;
  /// Reads the back buffer.
  /// @param x The left edge.
  /// @param y The top edge.
  /// @param width The width.
  /// @param height The height.
  /// @return The back buffer's pixels, row 0 at the top.
  virtual Ref<TPixmap> CapturePixmap(int x, int y, int width, int height) = 0;
};

}  // namespace corvax
