#include "opengl/gl_texture.h"

#include "texture_fit.h"

namespace corvax::detail {

const GLint kTextureFormat = GL_RGBA8;

void FitTextureToImplementation(int width, int height, int& textureWidth, int& textureHeight) {
  FitTextureSize(
      width, height,
      [](int w, int h) {
        glTexImage2D(GL_PROXY_TEXTURE_2D, 0, 4, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        GLint accepted = 0;
        glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &accepted);
        return accepted != 0;
      },
      textureWidth, textureHeight);
}

void DeleteTexture(GLuint texture) {
  // The shared context, which holds the textures, lives as long as the program.
  InSharedContext([&] { glDeleteTextures(1, &texture); });
}

}  // namespace corvax::detail
