// WebGL has no proxy textures and takes only unsized internal formats, the same as the pixels'.
#include "opengl/gl_texture.h"

#include <emscripten/html5_webgl.h>

#include "texture_fit.h"

namespace corvax::detail {

const GLint kTextureFormat = GL_RGBA;

void FitTextureToImplementation(int width, int height, int& textureWidth, int& textureHeight) {
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  FitTextureSize(
      width, height, [largest](int w, int h) { return w <= largest && h <= largest; }, textureWidth,
      textureHeight);
}

void DeleteTexture(GLuint texture) {
  // A page has one context, shared and drawn in alike, which closing the graphics ends; a call
  // into it after that would throw in the page.
  InSharedContext([&] {
    if (emscripten_webgl_get_current_context() != 0) glDeleteTextures(1, &texture);
  });
}

}  // namespace corvax::detail
