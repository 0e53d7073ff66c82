// WebGL has no attribute stack: the state is read before the helpers draw and set back after.
// The emulation does not answer glIsEnabled(GL_TEXTURE_2D); its own texture unit state does.
#include <emscripten.h>

#include <GL/gl.h>

#include <vector>

#include <corvax/runtime/immortal.h>

#include "opengl/gl_direct_attributes.h"

// NOLINTBEGIN(modernize-use-trailing-return-type): EM_JS writes the function's signature itself.
EM_JS(int, corvax_texture_2d_enabled, (int unit),
      { return GLImmediate.TexEnvJIT.getTexUnitType(unit) == 0x0DE1 /* GL_TEXTURE_2D */ ? 1 : 0; });
// NOLINTEND(modernize-use-trailing-return-type)

namespace corvax::detail {
namespace {

constexpr GLenum kSavedCapabilities[] = {GL_CULL_FACE, GL_ALPHA_TEST, GL_DEPTH_TEST, GL_BLEND,
                                         GL_SCISSOR_TEST};
constexpr int kSavedCapabilityCount = sizeof(kSavedCapabilities) / sizeof(kSavedCapabilities[0]);

struct SavedAttributes {
  bool enabled[kSavedCapabilityCount] = {};
  bool texture2D = false;
  GLint boundTexture = 0;
  GLint matrixMode = GL_MODELVIEW;
};

std::vector<SavedAttributes>& Stack() {
  // Never destroyed: exit actions may still draw (see exit_actions.h).
  static auto* const stack = &MakeImmortal<std::vector<SavedAttributes>>();
  return *stack;
}

void Enable(GLenum capability, bool on) {
  if (on) {
    glEnable(capability);
  } else {
    glDisable(capability);
  }
}

int ActiveTextureUnit() {
  GLint active = GL_TEXTURE0;
  glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
  return active - GL_TEXTURE0;
}

}  // namespace

void PushDirectAttributes() {
  SavedAttributes saved;
  for (int i = 0; i < kSavedCapabilityCount; ++i) {
    saved.enabled[i] = glIsEnabled(kSavedCapabilities[i]) == GL_TRUE;
  }
  saved.texture2D = corvax_texture_2d_enabled(ActiveTextureUnit()) != 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &saved.boundTexture);
  glGetIntegerv(GL_MATRIX_MODE, &saved.matrixMode);
  Stack().push_back(saved);
}

void PopDirectAttributes() {
  if (Stack().empty()) return;
  const SavedAttributes saved = Stack().back();
  Stack().pop_back();
  for (int i = 0; i < kSavedCapabilityCount; ++i) Enable(kSavedCapabilities[i], saved.enabled[i]);
  Enable(GL_TEXTURE_2D, saved.texture2D);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(saved.boundTexture));
  glMatrixMode(static_cast<GLenum>(saved.matrixMode));
}

}  // namespace corvax::detail
