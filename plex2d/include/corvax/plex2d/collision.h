#pragma once
/// @file
/// @ingroup plex2d
/// Pixel-accurate collision tests between images and rectangles placed as they would be drawn
/// (origin, image handle, rotation and scale apply). Shapes are written into 32 layers chosen by
/// bit masks, and later shapes are tested against the layers.
/// Call first: OpenGraphics (graphics_core.h), then ImagesOverlap or ResetCollisionLayers and
/// the Collide functions each frame. Example: examples/collisions.cpp.
#include <corvax/plex2d/image.h>
#include <corvax/plex2d/point.h>
#include <corvax/plex2d/rect.h>
#include <corvax/plex2d/transform.h>
#include <corvax/runtime/array.h>

namespace corvax {

/// A shape in a layer: four corners, each x, y, u, v, corner 0 at (u 0, v 0), 1 at (1, 0),
/// 2 at (1, 1), 3 at (0, 1).
class TQuad : public Object {
 public:
  /// Places the corners in screen pixels and updates the bounding box; u and v stay.
  /// @param x0 Corner 0's x.
  /// @param y0 Corner 0's y.
  /// @param x1 Corner 1's x.
  /// @param y1 Corner 1's y.
  /// @param x2 Corner 2's x.
  /// @param y2 Corner 2's y.
  /// @param x3 Corner 3's x.
  /// @param y3 Corner 3's y.
  void SetQuadCorners(float x0, float y0, float x1, float y1, float x2, float y2, float x3,
                      float y3);
  /// Copies everything but the link.
  /// @param other The quad copied.
  void CopyFrom(const TQuad& other);

  /// The next quad of the layer, or Null.
  Ref<TQuad> next;
  /// The caller's object, returned by hits.
  Ref<Object> id;
  /// Its alpha decides which pixels are solid; Null: the whole quad is.
  Ref<TPixmap> pixmap;
  /// Free for the caller; 0 when the quad is handed out.
  int spare = 0;
  /// The bounding box of the corners.
  ///@{
  float minX = 0;
  float minY = 0;
  float maxX = 0;
  float maxY = 0;
  ///@}
  /// x, y, u, v of corners 0 to 3.
  float vertices[16] = {0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 1, 0, 0, 0, 1};
};

/// @param a One quad.
/// @param b The other.
/// @return true when the two quads share an opaque pixel, else false.
[[nodiscard]] bool QuadsOverlap(const TQuad& a, const TQuad& b);

/// The renderer hands over every new rotation and scale matrix.
/// @param ix The matrix's x by local x (Transform2D).
/// @param iy Its x by local y.
/// @param jx Its y by local x.
/// @param jy Its y by local y.
void SetCollisionTransform(float ix, float iy, float jx, float jy);
/// Empties layers; their quads are kept for reuse.
/// @param mask One bit per layer, layer 0 the lowest; 0 empties every layer.
/// @sa CollideImageLayers
void ResetCollisionLayers(std::uint32_t mask);
/// Tests the image against the collideMask layers, then writes it into the writeMask layers with
/// the id.
/// @param image The image, placed as DrawImageAt would draw it.
/// @param x Where its handle lands.
/// @param y Where its handle lands.
/// @param frame Which frame.
/// @param collideMask The layers tested, one bit each.
/// @param writeMask The layers written, one bit each.
/// @param id Returned by later hits on this shape.
/// @return The ids of the shapes in the collideMask layers that the image overlaps; the same id
/// appears once per layer it is in.
/// @sa CollideRectLayers, ResetCollisionLayers
Array<Ref<Object>> CollideImageLayers(const Ref<TImage>& image, float x, float y, int frame,
                                      std::uint32_t collideMask, std::uint32_t writeMask,
                                      const Ref<Object>& id);
/// CollideImageLayers for a solid rectangle, placed without a handle.
/// @param x Its left edge before origin, rotation and scale apply.
/// @param y Its top edge before they apply.
/// @param width Its width.
/// @param height Its height.
/// @param collideMask The layers tested, one bit each.
/// @param writeMask The layers written, one bit each.
/// @param id Returned by later hits on this shape.
/// @return The ids of the shapes in the collideMask layers that the rectangle overlaps.
/// @sa CollideImageLayers
Array<Ref<Object>> CollideRectLayers(float x, float y, float width, float height,
                                     std::uint32_t collideMask, std::uint32_t writeMask,
                                     const Ref<Object>& id);
/// CollideRectLayers with the rectangle as one value.
/// @param rect The rectangle before origin, rotation and scale apply.
/// @param collideMask The layers tested, one bit each.
/// @param writeMask The layers written, one bit each.
/// @param id Returned by later hits on this shape.
/// @return The ids of the shapes in the collideMask layers that the rectangle overlaps.
inline Array<Ref<Object>> CollideRectLayers(const Rect& rect, std::uint32_t collideMask,
                                            std::uint32_t writeMask, const Ref<Object>& id) {
  return CollideRectLayers(rect.x, rect.y, rect.width, rect.height, collideMask, writeMask, id);
}
/// Uses and empties layer 31.
/// @param image1 The first image.
/// @param x1 Where its handle lands.
/// @param y1 Where its handle lands.
/// @param frame1 Its frame.
/// @param image2 The second image.
/// @param x2 Where its handle lands.
/// @param y2 Where its handle lands.
/// @param frame2 Its frame.
/// @return true when the two images, drawn at those places, share an opaque pixel, else false.
/// @sa TransformedImagesOverlap
[[nodiscard]] bool ImagesOverlap(const Ref<TImage>& image1, float x1, float y1, int frame1,
                                 const Ref<TImage>& image2, float x2, float y2, int frame2);
/// ImagesOverlap with the places as values.
/// @param image1 The first image.
/// @param at1 Where its handle lands.
/// @param frame1 Its frame.
/// @param image2 The second image.
/// @param at2 Where its handle lands.
/// @param frame2 Its frame.
/// @return true when the two images, drawn at those places, share an opaque pixel, else false.
[[nodiscard]] inline bool ImagesOverlap(const Ref<TImage>& image1, const Point& at1, int frame1,
                                        const Ref<TImage>& image2, const Point& at2, int frame2) {
  return ImagesOverlap(image1, at1.x, at1.y, frame1, image2, at2.x, at2.y, frame2);
}
/// ImagesOverlap with a rotation and scale for each image. Uses and empties layer 31.
/// @param image1 The first image.
/// @param x1 Where its handle lands.
/// @param y1 Where its handle lands.
/// @param frame1 Its frame.
/// @param rotation1 Its rotation in degrees, clockwise on screen.
/// @param scaleX1 Its scale across.
/// @param scaleY1 Its scale down.
/// @param image2 The second image.
/// @param x2 Where its handle lands.
/// @param y2 Where its handle lands.
/// @param frame2 Its frame.
/// @param rotation2 Its rotation in degrees, clockwise on screen.
/// @param scaleX2 Its scale across.
/// @param scaleY2 Its scale down.
/// @return true when the two images, drawn at those places, share an opaque pixel, else false.
/// @sa ImagesOverlap
[[nodiscard]] bool TransformedImagesOverlap(const Ref<TImage>& image1, float x1, float y1,
                                            int frame1, float rotation1, float scaleX1,
                                            float scaleY1, const Ref<TImage>& image2, float x2,
                                            float y2, int frame2, float rotation2, float scaleX2,
                                            float scaleY2);
/// TransformedImagesOverlap with places, rotations and scales as values:
/// `TransformedImagesOverlap(ship, {10, 20}, 0, {45, 2, 2}, rock, {30, 20}, 0, {})`.
/// @param image1 The first image.
/// @param at1 Where its handle lands.
/// @param frame1 Its frame.
/// @param rotationScale1 Its rotation and scale.
/// @param image2 The second image.
/// @param at2 Where its handle lands.
/// @param frame2 Its frame.
/// @param rotationScale2 Its rotation and scale.
/// @return true when the two images, drawn that way, share an opaque pixel, else false.
[[nodiscard]] inline bool TransformedImagesOverlap(const Ref<TImage>& image1, const Point& at1,
                                                   int frame1, const RotationScale& rotationScale1,
                                                   const Ref<TImage>& image2, const Point& at2,
                                                   int frame2,
                                                   const RotationScale& rotationScale2) {
  return TransformedImagesOverlap(image1, at1.x, at1.y, frame1, rotationScale1.rotation,
                                  rotationScale1.scaleX, rotationScale1.scaleY, image2, at2.x,
                                  at2.y, frame2, rotationScale2.rotation, rotationScale2.scaleX,
                                  rotationScale2.scaleY);
}

}  // namespace corvax
