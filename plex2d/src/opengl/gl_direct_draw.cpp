#include <corvax/plex2d/gl_direct_draw.h>

#include <GL/gl.h>

#include <corvax/graphics/backend/gl_direct_support.h>
#include <corvax/pixmap/pixmap_transforms.h>
#include <corvax/stream/embedded_files.h>

#include "gl_direct_attributes.h"
#include "gl_pixels.h"
#include "gl_texture.h"

namespace corvax {
namespace {

constexpr int kStripWidth = 1024;  // 96 cells of 8 pixels, padded to a power of two
// One cell's width in texture coordinates.
constexpr float kCellU = 1.0f / 128.0f;

// Window pixels with a top-left origin, saving what it changes.
class DirectScope {
 public:
  DirectScope() {
    detail::PushDirectAttributes();
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    SaveGLMatrices();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, viewport[2], viewport[3], 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
  }
  ~DirectScope() {
    RestoreGLMatrices();
    detail::PopDirectAttributes();
  }
  DirectScope(const DirectScope&) = delete;
  DirectScope& operator=(const DirectScope&) = delete;
};

// The font as a 1024 x 16 RGBA strip: lit pixels opaque white, everything else transparent.
Ref<TPixmap> FontStrip() {
  const auto* bits = static_cast<const std::uint8_t*>(EmbeddedFileData(kGLTextFontName));
  if (!bits || EmbeddedFileSize(kGLTextFontName) != kGLTextFontSize) {
    ThrowRuntimeError(u"The text font \"gldrawtextfont.bin\" is missing");
  }
  Ref<TPixmap> strip = PixmapCreate(kStripWidth, kGLTextFontCharHeight, FORMAT_RGBA8888);
  for (int row = 0; row < kGLTextFontCharHeight; ++row) {
    for (int c = 0; c < kGLTextFontChars; ++c) {
      const std::uint8_t byte = bits[row * kGLTextFontChars + c];
      for (int k = 0; k < kGLTextFontCharWidth; ++k) {
        if ((byte >> k) & 1) strip->SetPixel(c * kGLTextFontCharWidth + k, row, 0xFFFFFFFFu);
      }
    }
  }
  return strip;
}

// Every mipmap level, so that the default minification filter finds the texture complete.
GLuint MakeFontTexture() {
  return detail::InSharedContext([] {
    Ref<TPixmap> level = FontStrip();
    int tw = 0, th = 0;
    detail::FitTextureToImplementation(level->Width(), level->Height(), tw, th);
    if (tw != level->Width() || th != level->Height()) level = PixmapResize(level, tw, th);
    GLint bound = 0, rowLength = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetIntegerv(GL_UNPACK_ROW_LENGTH, &rowLength);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    for (int n = 0;; ++n) {
      glPixelStorei(GL_UNPACK_ROW_LENGTH, level->Pitch() / 4);
      glTexImage2D(GL_TEXTURE_2D, n, detail::kTextureFormat, level->Width(), level->Height(), 0,
                   GL_RGBA, GL_UNSIGNED_BYTE, level->Pixels());
      if (level->Width() == 1 && level->Height() == 1) break;
      level = PixmapResize(level, level->Width() > 1 ? level->Width() / 2 : 1,
                           level->Height() > 1 ? level->Height() / 2 : 1);
    }
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
    return texture;
  });
}

GLuint FontTexture() {
  static const GLuint texture = MakeFontTexture();
  return texture;
}

}  // namespace

void DrawRectDirect(int x, int y, int width, int height) {
  DirectScope scope;
  glBegin(GL_QUADS);
  glVertex2i(x, y);
  glVertex2i(x + width, y);
  glVertex2i(x + width, y + height);
  glVertex2i(x, y + height);
  glEnd();
}

void DrawPixmapDirect(const Ref<TPixmap>& pixmap, int x, int y) {
  DirectScope scope;
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  detail::DrawPixelsAt(pixmap, x, y);
}

void DrawTextDirect(const String& text, int x, int y) {
  const GLuint texture = FontTexture();
  DirectScope scope;
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glBegin(GL_QUADS);
  for (char16_t c : text) {
    if (c >= kGLTextFontFirstChar && c < kGLTextFontFirstChar + kGLTextFontChars) {
      const float u0 = static_cast<float>(c - kGLTextFontFirstChar) * kCellU;
      const float u1 = u0 + kCellU;
      glTexCoord2f(u0, 0);
      glVertex2i(x, y);
      glTexCoord2f(u1, 0);
      glVertex2i(x + kGLTextFontCharWidth, y);
      glTexCoord2f(u1, 1);
      glVertex2i(x + kGLTextFontCharWidth, y + kGLTextFontCharHeight);
      glTexCoord2f(u0, 1);
      glVertex2i(x, y + kGLTextFontCharHeight);
    }
    x += kGLTextFontCharWidth;
  }
  glEnd();
}

}  // namespace corvax
