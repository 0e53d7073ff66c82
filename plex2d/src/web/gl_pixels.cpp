// WebGL has no raster position and no pixel writes: the pixmap becomes a texture drawn once as a
// quad over exactly its pixels, unfiltered and replacing the colour, which gives its pixels as
// they are, as glDrawPixels does on the desktop.
#include "opengl/gl_pixels.h"

#include <GL/gl.h>

namespace corvax::detail {
namespace {

// Rows tightly packed, as WebGL 1 reads them (it has no unpack row length).
Ref<TPixmap> PackedRGBA(const Ref<TPixmap>& pixmap) {
  return pixmap->Format() == FORMAT_RGBA8888 ? PixmapCopy(pixmap)
                                             : PixmapConvert(pixmap, FORMAT_RGBA8888);
}

}  // namespace

void DrawPixelsAt(const Ref<TPixmap>& pixmap, int x, int y) {
  if (pixmap->Width() == 0 || pixmap->Height() == 0) return;
  const Ref<TPixmap> rows = PackedRGBA(pixmap);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, rows->Width(), rows->Height(), 0, GL_RGBA,
               GL_UNSIGNED_BYTE, rows->Pixels());
  // The caller has texturing off and the texture environment at its default, modulate.
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  const int right = x + rows->Width();
  const int bottom = y + rows->Height();
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2i(x, y);
  glTexCoord2f(1, 0);
  glVertex2i(right, y);
  glTexCoord2f(1, 1);
  glVertex2i(right, bottom);
  glTexCoord2f(0, 1);
  glVertex2i(x, bottom);
  glEnd();
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glDisable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  glDeleteTextures(1, &texture);
}

}  // namespace corvax::detail
