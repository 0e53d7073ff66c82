#include <corvax/plex2d/draw.h>

#include <cmath>

#include <corvax/pixmap/pixmap_transforms.h>
#include <corvax/plex2d/plex2d_graphics.h>
#include <corvax/runtime/immortal.h>

#include "renderer_internal.h"

namespace corvax {

using detail::Current2DOrThrow;

namespace {

Plex2DState& State() {
  return Current2DOrThrow().State();
}
TPlex2DDriver& Driver() {
  return *Current2DOrThrow().Driver2D();
}

}  // namespace

void SetDrawColor(int r, int g, int b) {
  Plex2DState& state = State();
  state.colorRed = r;
  state.colorGreen = g;
  state.colorBlue = b;
  Driver().UseColor(r, g, b);
}

void GetDrawColor(int& r, int& g, int& b) {
  const Plex2DState& state = State();
  r = state.colorRed;
  g = state.colorGreen;
  b = state.colorBlue;
}

void SetClearColor(int r, int g, int b) {
  Plex2DState& state = State();
  state.clearRed = r;
  state.clearGreen = g;
  state.clearBlue = b;
  Driver().UseClearColor(r, g, b);
}

void GetClearColor(int& r, int& g, int& b) {
  const Plex2DState& state = State();
  r = state.clearRed;
  g = state.clearGreen;
  b = state.clearBlue;
}

void SetBlendMode(int mode) {
  State().blend = mode;
  Driver().UseBlendMode(mode);
}

BlendMode GetBlendMode() {
  return static_cast<BlendMode>(State().blend);
}

void SetDrawAlpha(float alpha) {
  State().alpha = alpha;
  Driver().UseAlpha(alpha);
}

float GetDrawAlpha() {
  return State().alpha;
}

void SetLineThickness(float width) {
  State().lineWidth = width;
  Driver().UseLineWidth(width);
}

float GetLineThickness() {
  return State().lineWidth;
}

void SetClipViewport(int x, int y, int width, int height) {
  Plex2DState& state = State();
  state.viewportX = x;
  state.viewportY = y;
  state.viewportWidth = width;
  state.viewportHeight = height;
  Driver().UseViewport(x, y, width, height);
}

void GetClipViewport(int& x, int& y, int& width, int& height) {
  const Plex2DState& state = State();
  x = state.viewportX;
  y = state.viewportY;
  width = state.viewportWidth;
  height = state.viewportHeight;
}

void SetDrawOrigin(float x, float y) {
  Plex2DState& state = State();
  state.originX = x;
  state.originY = y;
}

void GetDrawOrigin(float& x, float& y) {
  const Plex2DState& state = State();
  x = state.originX;
  y = state.originY;
}

void SetDrawHandle(float x, float y) {
  Plex2DState& state = State();
  state.handleX = -x;
  state.handleY = -y;
}

void GetDrawHandle(float& x, float& y) {
  const Plex2DState& state = State();
  x = -state.handleX;
  y = -state.handleY;
}

void SetRotationAngle(float degrees) {
  TPlex2DGraphics& graphics = Current2DOrThrow();
  graphics.State().rotation = degrees;
  detail::UpdateTransform(graphics);
}

float GetRotationAngle() {
  return State().rotation;
}

void SetScaleFactors(float scaleX, float scaleY) {
  TPlex2DGraphics& graphics = Current2DOrThrow();
  graphics.State().scaleX = scaleX;
  graphics.State().scaleY = scaleY;
  detail::UpdateTransform(graphics);
}

void GetScaleFactors(float& scaleX, float& scaleY) {
  const Plex2DState& state = State();
  scaleX = state.scaleX;
  scaleY = state.scaleY;
}

void SetRotationAndScale(float degrees, float scaleX, float scaleY) {
  TPlex2DGraphics& graphics = Current2DOrThrow();
  Plex2DState& state = graphics.State();
  state.rotation = degrees;
  state.scaleX = scaleX;
  state.scaleY = scaleY;
  detail::UpdateTransform(graphics);
}

void SetTextFont(const Ref<TImageFont>& font) {
  State().font = font ? font : DefaultFont();
}

Ref<TImageFont> GetTextFont() {
  return State().font;
}

Ref<TImageFont> LoadImageFont(const Url& url, int size, int style) {
  return TImageFont::LoadImageFont(url, size, style);
}

Ref<TImageFont> DefaultFont() {
  // Never destroyed: its glyph textures must not be freed behind a closing process.
  static auto* const font = &MakeImmortal<Ref<TImageFont>>(TImageFont::BuiltInFont());
  return *font;
}

void ClearScreen() {
  Driver().ClearTarget();
}

void PlotPoint(float x, float y) {
  const Plex2DState& state = State();
  Driver().RenderPoint(x + state.originX, y + state.originY);
}

void DrawLineSegment(float x0, float y0, float x1, float y1, bool lastPixel) {
  const Plex2DState& state = State();
  TPlex2DDriver& driver = Driver();
  const float hx = state.handleX;
  const float hy = state.handleY;
  driver.RenderLine(hx, hy, hx + x1 - x0, hy + y1 - y0, x0 + state.originX, y0 + state.originY);
  if (!lastPixel) return;
  const float dx = x1 - x0 + hx;
  const float dy = y1 - y0 + hy;
  const Transform2D& m = state.transform;
  driver.RenderPoint(x0 + dx * m.ix + dy * m.iy + state.originX,
                     y0 + dx * m.jx + dy * m.jy + state.originY);
}

void FillRect(float x, float y, float width, float height) {
  const Plex2DState& state = State();
  const float hx = state.handleX;
  const float hy = state.handleY;
  Driver().RenderRect(hx, hy, hx + width, hy + height, x + state.originX, y + state.originY);
}

void FillOval(float x, float y, float width, float height) {
  const Plex2DState& state = State();
  const float hx = state.handleX;
  const float hy = state.handleY;
  Driver().RenderOval(hx, hy, hx + width, hy + height, x + state.originX, y + state.originY);
}

void FillPolygon(const Array<float>& points) {
  const Plex2DState& state = State();
  Driver().RenderPolygon(points, state.handleX, state.handleY, state.originX, state.originY);
}

void DrawTextAt(const String& text, float x, float y) {
  const Plex2DState& state = State();
  const Transform2D& m = state.transform;
  const float hx = state.handleX;
  const float hy = state.handleY;
  state.font->DrawString(text, x + state.originX + hx * m.ix + hy * m.iy,
                         y + state.originY + hx * m.jx + hy * m.jy, m.ix, m.iy, m.jx, m.jy);
}

int TextWidthOf(const String& text) {
  return State().font->TextWidth(text);
}

int TextHeightOf() {
  return State().font->FontHeight();
}

int TextHeightOf(const String& text) {
  return State().font->TextHeight(text);
}

void DrawImageAt(const Ref<TImage>& image, float x, float y, int frame) {
  DrawImageInRect(image, x, y, static_cast<float>(image->Width()),
                  static_cast<float>(image->Height()), frame);
}

void DrawImageInRect(const Ref<TImage>& image, float x, float y, float width, float height,
                     int frame) {
  const Plex2DState& state = State();
  const Ref<TImageFrame> f = image->FrameFor(frame);
  if (!f) return;
  const float hx = image->HandleX();
  const float hy = image->HandleY();
  f->RenderFrame(-hx, -hy, -hx + width, -hy + height, x + state.originX, y + state.originY);
}

namespace {

// The first cell start at or before low: low - size + 1 <= result <= low, result = pos modulo
// size. In doubles, which hold every integer an int or a float position gives exactly.
int FirstCell(int low, int size, float pos) {
  const double start = static_cast<double>(low) - size + 1;
  double k = std::fmod(std::floor(pos) - start, size);
  if (k < 0) k += size;
  return static_cast<int>(start + k);
}

}  // namespace

void TileImageOver(const Ref<TImage>& image, float x, float y, int frame) {
  TPlex2DGraphics& graphics = Current2DOrThrow();
  const Plex2DState& state = graphics.State();
  const Ref<TImageFrame> f = image->FrameFor(frame);
  // An empty image would never advance across the viewport.
  if (!f || image->Width() <= 0 || image->Height() <= 0) return;
  TPlex2DDriver& driver = *graphics.Driver2D();
  driver.UseTransform(1, 0, 0, 1);
  const int w = image->Width();
  const int h = image->Height();
  const float px = x + state.originX - image->HandleX();
  const float py = y + state.originY - image->HandleY();
  const float fx = px - std::floor(px);
  const float fy = py - std::floor(py);
  const int c0 = FirstCell(state.viewportX, w, px);
  const int r0 = FirstCell(state.viewportY, h, py);
  const std::int64_t right = std::int64_t{state.viewportX} + state.viewportWidth;
  const std::int64_t bottom = std::int64_t{state.viewportY} + state.viewportHeight;
  for (std::int64_t r = r0; r < bottom; r += h) {
    for (std::int64_t c = c0; c < right; c += w) {
      f->RenderFrame(0, 0, static_cast<float>(w), static_cast<float>(h), static_cast<float>(c) + fx,
                     static_cast<float>(r) + fy);
    }
  }
  detail::UpdateTransform(graphics);
}

void DrawPixmapAt(const Ref<TPixmap>& pixmap, int x, int y) {
  Driver().RenderPixmap(pixmap, x, y);
}

Ref<TPixmap> GrabPixmapAt(int x, int y, int width, int height) {
  return Driver().CapturePixmap(x, y, width, height);
}

void GrabImageFrame(const Ref<TImage>& image, int x, int y, int frame) {
  Ref<TPixmap> pixmap = Driver().CapturePixmap(x, y, image->Width(), image->Height());
  if (image->Flags() & IMAGE_MASK) {
    int r = 0, g = 0, b = 0;
    GetMaskRGB(r, g, b);
    pixmap = PixmapMaskColour(pixmap, r, g, b);
  }
  image->SetFramePixmap(frame, pixmap);
}

}  // namespace corvax
