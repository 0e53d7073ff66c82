#include <corvax/plex2d/gl_plex2d_driver.h>
#include <corvax/runtime/start_once.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include <corvax/graphics/graphics_core.h>
#include <corvax/pixmap/pixmap_transforms.h>
#include <corvax/plex2d/draw.h>
#include <corvax/plex2d/plex2d_graphics.h>
#include <corvax/runtime/immortal.h>

#include "gl_blend.h"
#include "gl_pixels.h"
#include "gl_state.h"

namespace corvax {

using detail::GLState;
using detail::TransformedVertex;

Ref<TGLPlex2DDriver> GLPlex2DDriver() {
  static auto* const driver = &MakeImmortal<Ref<TGLPlex2DDriver>>(New<TGLPlex2DDriver>());
  return *driver;
}

Array<Ref<TGraphicsMode>> TGLPlex2DDriver::EnumerateModes() {
  return GLGraphicsDriver()->EnumerateModes();
}

Ref<TGraphics> TGLPlex2DDriver::AttachToWindow(int window, int flags) {
  return TPlex2DGraphics::Create2DGraphics(GLGraphicsDriver()->AttachToWindow(window, flags),
                                           Ref<TPlex2DDriver>(this));
}

Ref<TGraphics> TGLPlex2DDriver::CreateContext(int width, int height, int depth, int hertz,
                                              int flags) {
  return TPlex2DGraphics::Create2DGraphics(
      GLGraphicsDriver()->CreateContext(width, height, depth, hertz, flags),
      Ref<TPlex2DDriver>(this));
}

void TGLPlex2DDriver::SelectContext(const Ref<TGraphics>& graphics) {
  const Ref<TPlex2DGraphics> g = Cast<TPlex2DGraphics>(graphics);
  if (!g || !g->Wrapped()) {
    GLGraphicsDriver()->SelectContext(nullptr);
    TPlex2DGraphics::ClearCurrent2D();
    return;
  }
  GLGraphicsDriver()->SelectContext(g->Wrapped());
  int w = 0, h = 0, depth = 0, hertz = 0, flags = 0;
  g->GetSettings(w, h, depth, hertz, flags);
  detail::GLDriverState& state = GLState();
  state.blend = 0;
  state.boundTexture = 0;
  state.textureEnabled = false;
  glDisable(GL_TEXTURE_2D);
  // Pixel (0, 0) at the top-left corner, y growing downward.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, w, h, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glViewport(0, 0, w, h);
  g->MakeCurrent2D();
  g->ApplyState();
}

void TGLPlex2DDriver::Present(int sync) {
  GLGraphicsDriver()->Present(sync);
}

void TGLPlex2DDriver::UseBlendMode(int mode) {
  detail::GLDriverState& state = GLState();
  if (mode == state.blend) return;
  state.blend = mode;
  const detail::GLBlendState blend = detail::GLBlendStateFor(mode);
  if (blend.blend) {
    glEnable(GL_BLEND);
    glBlendFunc(blend.source, blend.destination);
  } else {
    glDisable(GL_BLEND);
  }
  if (blend.alphaTest) {
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GEQUAL, 0.5f);
  } else {
    glDisable(GL_ALPHA_TEST);
  }
}

void TGLPlex2DDriver::UseAlpha(float alpha) {
  // NaN counts as 0, so the byte is always defined.
  const float a = alpha >= 0 ? std::min(alpha, 1.0f) : 0.0f;
  GLState().color[3] = static_cast<std::uint8_t>(255 * a);
  glColor4ubv(GLState().color);
}

void TGLPlex2DDriver::UseColor(int r, int g, int b) {
  std::uint8_t* color = GLState().color;
  color[0] = static_cast<std::uint8_t>(std::clamp(r, 0, 255));
  color[1] = static_cast<std::uint8_t>(std::clamp(g, 0, 255));
  color[2] = static_cast<std::uint8_t>(std::clamp(b, 0, 255));
  glColor4ubv(color);
}

void TGLPlex2DDriver::UseClearColor(int r, int g, int b) {
  glClearColor(std::clamp(r, 0, 255) / 255.0f, std::clamp(g, 0, 255) / 255.0f,
               std::clamp(b, 0, 255) / 255.0f, 1.0f);
}

void TGLPlex2DDriver::UseViewport(int x, int y, int width, int height) {
  const int contextHeight = CurrentGraphicsHeight();
  if (x == 0 && y == 0 && width == CurrentGraphicsWidth() && height == contextHeight) {
    glDisable(GL_SCISSOR_TEST);
    return;
  }
  glEnable(GL_SCISSOR_TEST);
  // GL counts rows from the bottom.
  glScissor(x, contextHeight - y - height, width, height);
}

void TGLPlex2DDriver::UseTransform(float ix, float iy, float jx, float jy) {
  GLState().transform = {ix, iy, jx, jy};
}

void TGLPlex2DDriver::UseLineWidth(float width) {
  glLineWidth(width);
}

void TGLPlex2DDriver::ClearTarget() {
  glClear(GL_COLOR_BUFFER_BIT);
}

void TGLPlex2DDriver::RenderPoint(float x, float y) {
  detail::TexturingOff();
  glBegin(GL_POINTS);
  glVertex2f(x + 0.5f, y + 0.5f);
  glEnd();
}

void TGLPlex2DDriver::RenderLine(float x0, float y0, float x1, float y1, float tx, float ty) {
  detail::TexturingOff();
  glBegin(GL_LINES);
  TransformedVertex(x0, y0, tx + 0.5f, ty + 0.5f);
  TransformedVertex(x1, y1, tx + 0.5f, ty + 0.5f);
  glEnd();
}

void TGLPlex2DDriver::RenderRect(float x0, float y0, float x1, float y1, float tx, float ty) {
  detail::TexturingOff();
  glBegin(GL_QUADS);
  TransformedVertex(x0, y0, tx, ty);
  TransformedVertex(x1, y0, tx, ty);
  TransformedVertex(x1, y1, tx, ty);
  TransformedVertex(x0, y1, tx, ty);
  glEnd();
}

void TGLPlex2DDriver::RenderOval(float x0, float y0, float x1, float y1, float tx, float ty) {
  const float xr = (x1 - x0) * 0.5f;
  const float yr = (y1 - y0) * 0.5f;
  const float cx = x0 + xr;
  const float cy = y0 + yr;
  const int n = detail::OvalSegments(xr, yr);
  detail::TexturingOff();
  glBegin(detail::kPolygonPrimitive);
  for (int i = 0; i < n; ++i) {
    const double theta = i * 360.0 / n * std::numbers::pi / 180.0;
    TransformedVertex(cx + xr * static_cast<float>(std::cos(theta)),
                      cy - yr * static_cast<float>(std::sin(theta)), tx, ty);
  }
  glEnd();
}

void TGLPlex2DDriver::RenderPolygon(const Array<float>& points, float hx, float hy, float tx,
                                    float ty) {
  if (points.Length() < 6 || points.Length() % 2 != 0) return;
  detail::TexturingOff();
  glBegin(detail::kPolygonPrimitive);
  for (int i = 0; i < points.Length(); i += 2) {
    TransformedVertex(points[i] + hx, points[i + 1] + hy, tx, ty);
  }
  glEnd();
}

void TGLPlex2DDriver::RenderPixmap(const Ref<TPixmap>& pixmap, int x, int y) {
  const int blend = GLState().blend;
  detail::TexturingOff();
  UseBlendMode(BLEND_SOLID);
  detail::DrawPixelsAt(pixmap, x, y);
  UseBlendMode(blend);
}

Ref<TPixmap> TGLPlex2DDriver::CapturePixmap(int x, int y, int width, int height) {
  Ref<TPixmap> pixmap = PixmapCreate(width, height, FORMAT_RGBA8888);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(x, CurrentGraphicsHeight() - height - y, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
               pixmap->Pixels());
  // OpenGL gives the bottom row first. Turned over in place: a capture of every frame reads
  // back a whole screen each time, and a second screen's worth of memory would double its cost.
  const auto rowBytes = static_cast<std::size_t>(width) * 4;
  std::vector<std::uint8_t> row(rowBytes);
  for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
    std::uint8_t* upper = pixmap->PixelAddress(0, top);
    std::uint8_t* lower = pixmap->PixelAddress(0, bottom);
    std::memcpy(row.data(), upper, rowBytes);
    std::memcpy(upper, lower, rowBytes);
    std::memcpy(lower, row.data(), rowBytes);
  }
  return pixmap;
}

void StartupGLPlex2DModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupRendererModule();
  StartupGLGraphicsModule();
  SelectGraphicsDriver(GLPlex2DDriver(), 2);
}

}  // namespace corvax
