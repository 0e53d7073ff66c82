#pragma once
// The fixed-function state each blend mode stands for in OpenGL.
#include <GL/gl.h>

namespace corvax::detail {

struct GLBlendState {
  bool blend = false;
  GLenum source = GL_ONE;
  GLenum destination = GL_ZERO;
  // Pixels pass only where alpha >= 0.5.
  bool alphaTest = false;

  bool operator==(const GLBlendState&) const = default;
};

// Unknown modes draw solid.
GLBlendState GLBlendStateFor(int mode);

}  // namespace corvax::detail
