#include <GL/gl.h>
// Texture wrapping beyond OpenGL 1.1, where Windows's gl.h stops.
#include <GL/glext.h>

#include <corvax/graphics/graphics_core.h>
#include <corvax/pixmap/pixmap_transforms.h>
#include <corvax/plex2d/gl_plex2d_driver.h>
#include <corvax/plex2d/image.h>

#include "gl_state.h"
#include "gl_texture.h"
#include "texture_fit.h"

namespace corvax {
namespace {

void UploadLevel(const Ref<TPixmap>& pixmap, int level) {
  glPixelStorei(GL_UNPACK_ROW_LENGTH, pixmap->Pitch() / BytesPerPixel[pixmap->Format()]);
  glTexSubImage2D(GL_TEXTURE_2D, level, 0, 0, pixmap->Width(), pixmap->Height(), GL_RGBA,
                  GL_UNSIGNED_BYTE, pixmap->Pixels());
}

GLuint MakeTexture(const Ref<TPixmap>& image, int flags) {
  const bool mipmapped = flags & IMAGE_MIPMAPPED;
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  if (flags & IMAGE_FILTERED) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  } else {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    mipmapped ? GL_NEAREST_MIPMAP_NEAREST : GL_NEAREST);
  }
  int w = image->Width();
  int h = image->Height();
  for (int level = 0;; ++level) {
    glTexImage2D(GL_TEXTURE_2D, level, detail::kTextureFormat, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 nullptr);
    if (!mipmapped || (w == 1 && h == 1)) break;
    w = w > 1 ? w / 2 : 1;
    h = h > 1 ? h / 2 : 1;
  }
  Ref<TPixmap> level = image;
  UploadLevel(level, 0);
  for (int n = 1; mipmapped && (level->Width() > 1 || level->Height() > 1); ++n) {
    const int lw = level->Width() > 1 ? level->Width() / 2 : 1;
    const int lh = level->Height() > 1 ? level->Height() / 2 : 1;
    level = PixmapResize(level, lw, lh);
    UploadLevel(level, n);
  }
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  return texture;
}

}  // namespace

Ref<TImageFrame> TGLPlex2DDriver::MakeImageFrame(const Ref<TPixmap>& pixmap, int imageFlags) {
  // Nothing to show, and no edge to repeat into the padding.
  if (pixmap->Width() < 1 || pixmap->Height() < 1) return nullptr;
  return detail::InSharedContext([&]() -> Ref<TImageFrame> {
    int tw = 0, th = 0, w = 0, h = 0;
    detail::FitTextureToImplementation(pixmap->Width(), pixmap->Height(), tw, th);
    const Ref<TPixmap> image = detail::TextureImage(pixmap, tw, th, w, h);
    const GLuint texture = MakeTexture(image, imageFlags);
    // Bound directly, past the cache; the drawing context's binding is its own.
    return New<TGLImageFrame>(texture, static_cast<float>(w) / tw, static_cast<float>(h) / th,
                              GraphicsSequence());
  });
}

TGLImageFrame::~TGLImageFrame() {
  detail::DeleteTexture(texture_);
  // The name may be handed out again; the next draw of that name must bind it afresh.
  detail::GLDriverState& state = detail::GLState();
  if (state.boundTexture == texture_) state.boundTexture = 0;
}

void TGLImageFrame::RenderFrame(float x0, float y0, float x1, float y1, float tx, float ty) {
  detail::TexturingOn(texture_);
  glBegin(GL_QUADS);
  glTexCoord2f(u0_, v0_);
  detail::TransformedVertex(x0, y0, tx, ty);
  glTexCoord2f(u1_, v0_);
  detail::TransformedVertex(x1, y0, tx, ty);
  glTexCoord2f(u1_, v1_);
  detail::TransformedVertex(x1, y1, tx, ty);
  glTexCoord2f(u0_, v1_);
  detail::TransformedVertex(x0, y1, tx, ty);
  glEnd();
}

void TGLImageFrame::RenderFrameParts(const std::vector<FrameQuad>& quads) {
  // The picture fills only the top-left of a texture padded to a size the implementation takes.
  const float across = u1_ - u0_;
  const float down = v1_ - v0_;
  detail::TexturingOn(texture_);
  // One batch: each glBegin is a draw call, and a line of text has a quad per glyph.
  glBegin(GL_QUADS);
  for (const FrameQuad& q : quads) {
    const float u0 = u0_ + q.part.left * across;
    const float v0 = v0_ + q.part.top * down;
    const float u1 = u0_ + q.part.right * across;
    const float v1 = v0_ + q.part.bottom * down;
    glTexCoord2f(u0, v0);
    detail::TransformedVertex(q.x0, q.y0, q.tx, q.ty);
    glTexCoord2f(u1, v0);
    detail::TransformedVertex(q.x1, q.y0, q.tx, q.ty);
    glTexCoord2f(u1, v1);
    detail::TransformedVertex(q.x1, q.y1, q.tx, q.ty);
    glTexCoord2f(u0, v1);
    detail::TransformedVertex(q.x0, q.y1, q.tx, q.ty);
  }
  glEnd();
}

}  // namespace corvax
