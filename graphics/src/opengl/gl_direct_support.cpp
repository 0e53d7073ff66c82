#include <corvax/graphics/backend/gl_direct_support.h>
#include <corvax/runtime/immortal.h>

#include "gl_matrix_read.h"

namespace corvax {
namespace {

struct SavedMatrices {
  double modelView[16] = {};
  double projection[16] = {};
};

SavedMatrices& Saved() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const saved = &MakeImmortal<SavedMatrices>();
  return *saved;
}

}  // namespace

double* SavedModelViewMatrix() {
  return Saved().modelView;
}

double* SavedProjectionMatrix() {
  return Saved().projection;
}

void SaveGLMatrices() {
  detail::ReadGLMatrix(GL_MODELVIEW_MATRIX, Saved().modelView);
  detail::ReadGLMatrix(GL_PROJECTION_MATRIX, Saved().projection);
}

void RestoreGLMatrices() {
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixd(Saved().projection);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixd(Saved().modelView);
}

}  // namespace corvax
