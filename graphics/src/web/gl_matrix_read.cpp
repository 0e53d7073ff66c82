// The WebGL emulation keeps its matrices in single precision and reads them back only as such.
#include <array>

#include "opengl/gl_matrix_read.h"

namespace corvax::detail {

void ReadGLMatrix(GLenum which, double* matrix) {
  constexpr int kEntries = 16;
  std::array<GLfloat, kEntries> entries{};
  glGetFloatv(which, entries.data());
  for (int i = 0; i < kEntries; ++i) matrix[i] = entries[i];
}

}  // namespace corvax::detail
