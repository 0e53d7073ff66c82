#include "opengl/gl_state.h"

namespace corvax::detail {

const GLenum kPolygonPrimitive = GL_POLYGON;

}  // namespace corvax::detail
