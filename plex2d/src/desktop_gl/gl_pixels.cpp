#include "opengl/gl_pixels.h"

#include <GL/gl.h>

#include <corvax/pixmap/pixmap_transforms.h>

namespace corvax::detail {

void DrawPixelsAt(const Ref<TPixmap>& pixmap, int x, int y) {
  // GL draws rows upward from the raster position, so the picture goes bottom row first.
  Ref<TPixmap> rows = PixmapFlipVertical(pixmap);
  if (rows->Format() != FORMAT_RGBA8888) rows = rows->ConvertTo(FORMAT_RGBA8888);
  glRasterPos2i(0, 0);
  glBitmap(0, 0, 0, 0, static_cast<float>(x), static_cast<float>(-y - rows->Height()), nullptr);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, rows->Pitch() / 4);
  glDrawPixels(rows->Width(), rows->Height(), GL_RGBA, GL_UNSIGNED_BYTE, rows->Pixels());
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

}  // namespace corvax::detail
