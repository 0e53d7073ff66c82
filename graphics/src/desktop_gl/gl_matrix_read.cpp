#include "opengl/gl_matrix_read.h"

namespace corvax::detail {

void ReadGLMatrix(GLenum which, double* matrix) {
  glGetDoublev(which, matrix);
}

}  // namespace corvax::detail
