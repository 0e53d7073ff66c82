#pragma once
// What the OpenGL 2D driver remembers of the GL state, so that repeated settings cost nothing.
#include <cstdint>

#include <GL/gl.h>

#include <corvax/plex2d/backend/shape_support.h>
#include <corvax/plex2d/transform.h>

namespace corvax::detail {

struct GLDriverState {
  // 0: unknown, so the next UseBlendMode applies whatever it is given.
  int blend = 0;
  GLuint boundTexture = 0;
  bool textureEnabled = false;
  std::uint8_t color[4] = {255, 255, 255, 255};
  Transform2D transform;
};

GLDriverState& GLState();

// The primitive ovals and polygons are filled with (their corners in order, convex).
extern const GLenum kPolygonPrimitive;

// Binds the texture unless it is bound already, and enables texturing unless it is on.
void TexturingOn(GLuint texture);
void TexturingOff();
// A glVertex2f of the local point (x, y) under the current transform, moved by (tx, ty).
void TransformedVertex(float x, float y, float tx, float ty);

}  // namespace corvax::detail
