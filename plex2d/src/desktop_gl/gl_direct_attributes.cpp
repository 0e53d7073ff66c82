#include "opengl/gl_direct_attributes.h"

#include <GL/gl.h>

namespace corvax::detail {

void PushDirectAttributes() {
  glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_TRANSFORM_BIT);
}

void PopDirectAttributes() {
  glPopAttrib();
}

}  // namespace corvax::detail
