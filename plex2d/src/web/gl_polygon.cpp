// The WebGL emulation draws no GL_POLYGON; a fan from the first corner fills the same convex
// shape.
#include "opengl/gl_state.h"

namespace corvax::detail {

const GLenum kPolygonPrimitive = GL_TRIANGLE_FAN;

}  // namespace corvax::detail
