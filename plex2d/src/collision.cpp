#include <corvax/plex2d/collision.h>

#include <algorithm>
#include <vector>

#include <corvax/plex2d/draw.h>
#include <corvax/plex2d/plex2d_graphics.h>

#include "collision_layers.h"
#include "quad_scan.h"

namespace corvax {

using detail::CollisionLayers;
using detail::kCollisionLayerCount;

namespace detail {

CollisionState& CollisionLayers() {
  // Never destroyed: a long layer list would otherwise unwind link by link at exit.
  static auto* state = new CollisionState;
  return *state;
}

}  // namespace detail

namespace {

constexpr std::uint32_t kPairLayer = 0x80000000u;

Ref<TQuad> TakeQuad() {
  detail::CollisionState& state = CollisionLayers();
  Ref<TQuad> quad = state.free;
  if (quad) {
    state.free = quad->next;
    quad->next = nullptr;
  } else {
    quad = New<TQuad>();
  }
  return quad;
}

bool InMask(std::uint32_t mask, int layer) {
  return (mask >> layer) & 1u;
}

// The quad of a w x h shape with its handle at (x, y) moved by the origin, under the matrix
// the renderer last handed over.
Ref<TQuad> PlaceQuad(float x, float y, float w, float h, float hx, float hy,
                     const Ref<Object>& id) {
  float ox = 0, oy = 0;
  if (TPlex2DGraphics::Current2D()) GetDrawOrigin(ox, oy);
  const float px = x + ox;
  const float py = y + oy;
  const Transform2D& m = CollisionLayers().transform;
  float c[8];
  const float local[8] = {-hx, -hy, w - hx, -hy, w - hx, h - hy, -hx, h - hy};
  for (int i = 0; i < 8; i += 2) TransformPoint(m, local[i], local[i + 1], px, py, c[i], c[i + 1]);
  Ref<TQuad> quad = TakeQuad();
  quad->SetQuadCorners(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7]);
  quad->id = id;
  quad->pixmap = nullptr;
  quad->spare = 0;
  return quad;
}

Array<Ref<Object>> CollideQuad(const Ref<TQuad>& quad, std::uint32_t collideMask,
                               std::uint32_t writeMask) {
  detail::CollisionState& state = CollisionLayers();
  std::vector<Ref<Object>> hits;
  for (int j = 0; j < kCollisionLayerCount; ++j) {
    if (!InMask(collideMask, j)) continue;
    for (const TQuad* r = state.layers[j].get(); r; r = r->next.get()) {
      if (QuadsOverlap(*quad, *r)) hits.push_back(r->id);
    }
  }
  for (int k = 0; k < kCollisionLayerCount; ++k) {
    if (!InMask(writeMask, k)) continue;
    Ref<TQuad> copy = TakeQuad();
    copy->CopyFrom(*quad);
    copy->next = state.layers[k];
    state.layers[k] = copy;
  }
  // The placed quad itself goes back for reuse; the layers hold copies.
  quad->id = nullptr;
  quad->pixmap = nullptr;
  quad->next = state.free;
  state.free = quad;
  return Array<Ref<Object>>(std::move(hits));
}

Array<Ref<Object>> CollideImage(const Ref<TImage>& image, float x, float y, int frame,
                                std::uint32_t collideMask, std::uint32_t writeMask,
                                const Ref<Object>& id) {
  Ref<TQuad> quad =
      PlaceQuad(x, y, static_cast<float>(image->Width()), static_cast<float>(image->Height()),
                image->HandleX(), image->HandleY(), id);
  const Ref<TPixmap> pixmap = image->LockPixmap(frame, 1, 0);
  if (AlphaBitsPerPixel[pixmap->Format()] != 0 && pixmap->Width() > 0 && pixmap->Height() > 0) {
    quad->pixmap = pixmap;
  }
  return CollideQuad(quad, collideMask, writeMask);
}

}  // namespace

void TQuad::SetQuadCorners(float x0, float y0, float x1, float y1, float x2, float y2, float x3,
                           float y3) {
  const float xs[4] = {x0, x1, x2, x3};
  const float ys[4] = {y0, y1, y2, y3};
  for (int i = 0; i < 4; ++i) {
    vertices[i * 4] = xs[i];
    vertices[i * 4 + 1] = ys[i];
  }
  minX = std::min({x0, x1, x2, x3});
  maxX = std::max({x0, x1, x2, x3});
  minY = std::min({y0, y1, y2, y3});
  maxY = std::max({y0, y1, y2, y3});
}

void TQuad::CopyFrom(const TQuad& other) {
  id = other.id;
  pixmap = other.pixmap;
  spare = other.spare;
  minX = other.minX;
  minY = other.minY;
  maxX = other.maxX;
  maxY = other.maxY;
  std::copy(std::begin(other.vertices), std::end(other.vertices), vertices);
}

bool QuadsOverlap(const TQuad& a, const TQuad& b) {
  if (a.maxX < b.minX || a.maxY < b.minY || a.minX > b.maxX || a.minY > b.maxY) return 0;
  return detail::ScanQuadsForSharedPixel(a, b) ? 1 : 0;
}

void SetCollisionTransform(float ix, float iy, float jx, float jy) {
  CollisionLayers().transform = {ix, iy, jx, jy};
}

void ResetCollisionLayers(std::uint32_t mask) {
  detail::CollisionState& state = CollisionLayers();
  for (int j = 0; j < kCollisionLayerCount; ++j) {
    if (mask != 0 && !InMask(mask, j)) continue;
    Ref<TQuad>& head = state.layers[j];
    if (!head) continue;
    TQuad* tail = head.get();
    while (tail->next) tail = tail->next.get();
    tail->next = state.free;
    state.free = head;
    head = nullptr;
  }
}

Array<Ref<Object>> CollideImageLayers(const Ref<TImage>& image, float x, float y, int frame,
                                      std::uint32_t collideMask, std::uint32_t writeMask,
                                      const Ref<Object>& id) {
  return CollideImage(image, x, y, frame, collideMask, writeMask, id);
}

Array<Ref<Object>> CollideRectLayers(float x, float y, float width, float height,
                                     std::uint32_t collideMask, std::uint32_t writeMask,
                                     const Ref<Object>& id) {
  return CollideQuad(PlaceQuad(x, y, width, height, 0, 0, id), collideMask, writeMask);
}

bool ImagesOverlap(const Ref<TImage>& image1, float x1, float y1, int frame1,
                   const Ref<TImage>& image2, float x2, float y2, int frame2) {
  ResetCollisionLayers(kPairLayer);
  CollideImage(image1, x1, y1, frame1, 0, kPairLayer, nullptr);
  return CollideImage(image2, x2, y2, frame2, kPairLayer, 0, nullptr).Length() > 0 ? 1 : 0;
}

namespace {

// Places shapes under other rotations and scales for a while: with a 2D context current, its
// rotation and scale change (handing their matrix over) and come back at the end; without one,
// only the collision matrix does.
class TemporaryRotationAndScale {
 public:
  TemporaryRotationAndScale() : saved_(CollisionLayers().transform) {
    if (renderer_) {
      rotation_ = GetRotationAngle();
      GetScaleFactors(scaleX_, scaleY_);
    }
  }
  ~TemporaryRotationAndScale() {
    if (renderer_) {
      SetRotationAndScale(rotation_, scaleX_, scaleY_);
    } else {
      CollisionLayers().transform = saved_;
    }
  }
  TemporaryRotationAndScale(const TemporaryRotationAndScale&) = delete;
  TemporaryRotationAndScale& operator=(const TemporaryRotationAndScale&) = delete;

  void Use(float rotation, float scaleX, float scaleY) const {
    if (renderer_) {
      SetRotationAndScale(rotation, scaleX, scaleY);
    } else {
      CollisionLayers().transform = RotationScaleTransform(rotation, scaleX, scaleY);
    }
  }

 private:
  const bool renderer_ = TPlex2DGraphics::Current2D() != nullptr;
  const Transform2D saved_;
  float rotation_ = 0;
  float scaleX_ = 1;
  float scaleY_ = 1;
};

}  // namespace

bool TransformedImagesOverlap(const Ref<TImage>& image1, float x1, float y1, int frame1,
                              float rotation1, float scaleX1, float scaleY1,
                              const Ref<TImage>& image2, float x2, float y2, int frame2,
                              float rotation2, float scaleX2, float scaleY2) {
  const TemporaryRotationAndScale placing;
  ResetCollisionLayers(kPairLayer);
  placing.Use(rotation1, scaleX1, scaleY1);
  CollideImage(image1, x1, y1, frame1, 0, kPairLayer, nullptr);
  placing.Use(rotation2, scaleX2, scaleY2);
  return CollideImage(image2, x2, y2, frame2, kPairLayer, 0, nullptr).Length() > 0 ? 1 : 0;
}

}  // namespace corvax
