#pragma once
// Reading a GL matrix back as doubles, which not every OpenGL offers directly.
#include <GL/gl.h>

namespace corvax::detail {

// Copies the 16 entries of the GL_MODELVIEW_MATRIX or GL_PROJECTION_MATRIX (`which`) into
// matrix, column by column as GL keeps them. Needs a current GL context.
void ReadGLMatrix(GLenum which, double* matrix);

}  // namespace corvax::detail
