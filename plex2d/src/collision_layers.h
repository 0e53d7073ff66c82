#pragma once
// The collision module's state: 32 layers of quads, the quads kept for reuse, and the matrix
// the renderer last handed over.
#include <corvax/plex2d/collision.h>
#include <corvax/plex2d/transform.h>

namespace corvax::detail {

inline constexpr int kCollisionLayerCount = 32;

struct CollisionState {
  Ref<TQuad> layers[kCollisionLayerCount];
  Ref<TQuad> free;
  Transform2D transform;
};

CollisionState& CollisionLayers();

}  // namespace corvax::detail
