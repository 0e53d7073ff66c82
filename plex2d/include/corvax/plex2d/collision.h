#pragma once
/// @file
/// @ingroup plex2d
/// Pixel-accurate collision tests between images and rectangles placed as they would be drawn
/// (origin, image handle, rotation and scale apply). Shapes are written into 32 layers chosen by
/// bit masks, and later shapes are tested against the layers.
/// Call first: OpenGraphics (graphics_core.h), then ImagesOverlap or ResetCollisionLayers and
/// the Collide functions each frame. Example: examples/collisions.cpp.
#include <corvax/plex2d/image.h>
#include <corvax/runtime/array.h>

namespace corvax {

/// A shape in a layer: four corners, each x, y, u, v, corner 0 at (u 0, v 0), 1 at (1, 0),
/// 2 at (1, 1), 3 at (0, 1).
class TQuad : public Object {
 public:
  /// Places the corners in screen pixels and updates the bounding box; u and v stay.
  void SetQuadCorners(float x0, float y0, float x1, float y1, float x2, float y2, float x3,
                      float y3);
  /// Copies everything but the link.
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

/// 1 when the two quads share an opaque pixel.
int QuadsOverlap(const TQuad& a, const TQuad& b);

/// The renderer hands over every new rotation and scale matrix.
void SetCollisionTransform(float ix, float iy, float jx, float jy);
/// Empties the layers whose bits are set, every layer for 0; their quads are kept for reuse.
void ResetCollisionLayers(std::uint32_t mask);
/// The ids of the shapes in the collideMask layers that the image overlaps; then the image is
/// written into the writeMask layers with the id. The same id appears once per layer it is in.
Array<Ref<Object>> CollideImageLayers(const Ref<TImage>& image, float x, float y, int frame,
                                      std::uint32_t collideMask, std::uint32_t writeMask,
                                      const Ref<Object>& id);
/// The same for a solid rectangle, placed without a handle.
Array<Ref<Object>> CollideRectLayers(float x, float y, float width, float height,
                                     std::uint32_t collideMask, std::uint32_t writeMask,
                                     const Ref<Object>& id);
/// 1 when the two images, drawn at those places (with rotation and scale in the second form),
/// share an opaque pixel, else 0. These two use and empty layer 31.
///@{
int ImagesOverlap(const Ref<TImage>& image1, float x1, float y1, int frame1,
                  const Ref<TImage>& image2, float x2, float y2, int frame2);
int TransformedImagesOverlap(const Ref<TImage>& image1, float x1, float y1, int frame1,
                             float rotation1, float scaleX1, float scaleY1,
                             const Ref<TImage>& image2, float x2, float y2, int frame2,
                             float rotation2, float scaleX2, float scaleY2);
///@}

}  // namespace corvax
