#pragma once
// Texture making for the OpenGL 2D driver and the direct-drawing helpers; both need the shared
// context current.
#include <GL/gl.h>

#include <corvax/graphics/gl_graphics.h>
#include <corvax/pixmap/pixmap.h>

namespace corvax::detail {

// The internal format of the driver's RGBA textures (sized where the OpenGL takes sized ones).
extern const GLint kTextureFormat;

// The largest power-of-two texture size up to the picture's that the implementation takes,
// asked through the proxy texture.
void FitTextureToImplementation(int width, int height, int& textureWidth, int& textureHeight);

// Deletes a texture the driver made. In a page, closing the graphics ends the page's one
// context, which deleting needs: a texture let go after that is left to the page.
void DeleteTexture(GLuint texture);

// Runs the work with the shared context current, and switches back however it ends.
template <class Work>
auto InSharedContext(Work work) {
  struct Switch {
    Switch() { GLGraphicsDriver()->SwitchSharedContext(); }
    ~Switch() { GLGraphicsDriver()->SwitchSharedContext(); }
    Switch(const Switch&) = delete;
    Switch& operator=(const Switch&) = delete;
  } inShared;
  return work();
}

}  // namespace corvax::detail
