#include "gl_state.h"

#include <algorithm>
#include <cmath>

namespace corvax::detail {

GLDriverState& GLState() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const state = new GLDriverState();
  return *state;
}

void TexturingOn(GLuint texture) {
  GLDriverState& state = GLState();
  if (texture != state.boundTexture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    state.boundTexture = texture;
  }
  if (!state.textureEnabled) {
    glEnable(GL_TEXTURE_2D);
    state.textureEnabled = true;
  }
}

void TexturingOff() {
  GLDriverState& state = GLState();
  if (state.textureEnabled) {
    glDisable(GL_TEXTURE_2D);
    state.textureEnabled = false;
  }
}

void TransformedVertex(float x, float y, float tx, float ty) {
  float sx = 0, sy = 0;
  TransformPoint(GLState().transform, x, y, tx, ty, sx, sy);
  glVertex2f(sx, sy);
}

int OvalSegments(float xr, float yr) {
  constexpr float kMostSegments = 65536;
  const float span = std::fabs(xr) + std::fabs(yr);
  // Also true for NaN.
  const int n = !(span < kMostSegments) ? (span > 0 ? static_cast<int>(kMostSegments) : 12)
                                        : std::max(12, static_cast<int>(span));
  return n / 4 * 4;
}

}  // namespace corvax::detail
