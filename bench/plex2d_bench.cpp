// Images drawn through the 2D renderer (frame lookup, transform, cached GL state) beside the
// same textured quads issued as raw OpenGL immediate-mode calls, and filled rectangles beside
// raw untextured quads. Each batch ends with glFinish, so rasterising is inside both figures.
// Opening a 640x480 2D graphics, whose new context is primed (cleared and presented), beside
// opening the same plain OpenGL graphics and presenting its first frame.
// Run under Xvfb with Mesa: the ratio tells the renderer's overhead, not the display's speed.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <corvax/graphics/graphics_module.h>
#include <corvax/plex2d/plex2d_module.h>

namespace {

using namespace corvax;

constexpr int kSide = 256;
constexpr int kImage = 16;
constexpr int kBatch = 256;

bool RendererReady(benchmark::State& state) {
  StartupPlex2DModule();
  SelectGraphicsDriver(GLPlex2DDriver(), 2);
  if (OpenGraphics(kSide, kSide, 0, 0)) return true;
  state.SkipWithError("graphics cannot be opened (no display?)");
  return false;
}

Ref<TImage> SpriteImage() {
  Ref<TPixmap> pixmap = PixmapCreate(kImage, kImage, FORMAT_RGBA8888);
  for (int y = 0; y < kImage; ++y)
    for (int x = 0; x < kImage; ++x) pixmap->SetPixel(x, y, (x + y) % 3 ? 0xFF1E5AAAu : 0u);
  return LoadImageFromUrl(pixmap, 0);
}

// Positions spread over the screen, the same for both loops.
float X(int i) {
  return static_cast<float>((i * 37) % (kSide - kImage));
}
float Y(int i) {
  return static_cast<float>((i * 91) % (kSide - kImage));
}

void DrawImagesThroughTheRenderer(benchmark::State& state) {
  if (!RendererReady(state)) return;
  const Ref<TImage> image = SpriteImage();
  SetBlendMode(BLEND_MASK);
  for (auto _ : state) {
    for (int i = 0; i < kBatch; ++i) DrawImageAt(image, X(i), Y(i));
    glFinish();
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
  CloseDefaultGraphics();
}
BENCHMARK(DrawImagesThroughTheRenderer)->UseRealTime();

void RawTexturedQuads(benchmark::State& state) {
  if (!RendererReady(state)) return;
  // The renderer makes the texture, so both loops sample the same one.
  const Ref<TImage> image = SpriteImage();
  const Ref<TGLImageFrame> frame = Cast<TGLImageFrame>(image->FrameFor(0));
  SetBlendMode(BLEND_MASK);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, frame->Texture());
  const float u1 = frame->U1();
  const float v1 = frame->V1();
  for (auto _ : state) {
    for (int i = 0; i < kBatch; ++i) {
      const float x = X(i);
      const float y = Y(i);
      glBegin(GL_QUADS);
      glTexCoord2f(0, 0);
      glVertex2f(x, y);
      glTexCoord2f(u1, 0);
      glVertex2f(x + kImage, y);
      glTexCoord2f(u1, v1);
      glVertex2f(x + kImage, y + kImage);
      glTexCoord2f(0, v1);
      glVertex2f(x, y + kImage);
      glEnd();
    }
    glFinish();
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
  CloseDefaultGraphics();
}
BENCHMARK(RawTexturedQuads)->UseRealTime();

void FillRectsThroughTheRenderer(benchmark::State& state) {
  if (!RendererReady(state)) return;
  SetDrawColor(30, 90, 170);
  for (auto _ : state) {
    for (int i = 0; i < kBatch; ++i) FillRect(X(i), Y(i), kImage, kImage);
    glFinish();
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
  CloseDefaultGraphics();
}
BENCHMARK(FillRectsThroughTheRenderer)->UseRealTime();

void RawUntexturedQuads(benchmark::State& state) {
  if (!RendererReady(state)) return;
  SetDrawColor(30, 90, 170);
  glDisable(GL_TEXTURE_2D);
  for (auto _ : state) {
    for (int i = 0; i < kBatch; ++i) {
      const float x = X(i);
      const float y = Y(i);
      glBegin(GL_QUADS);
      glVertex2f(x, y);
      glVertex2f(x + kImage, y);
      glVertex2f(x + kImage, y + kImage);
      glVertex2f(x, y + kImage);
      glEnd();
    }
    glFinish();
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
  CloseDefaultGraphics();
}
BENCHMARK(RawUntexturedQuads)->UseRealTime();

constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;

void Open2DGraphicsAndPresentAFrame(benchmark::State& state) {
  if (!RendererReady(state)) return;
  CloseDefaultGraphics();
  for (auto _ : state) {
    if (!OpenGraphics(kWindowWidth, kWindowHeight, 0, 0)) {
      state.SkipWithError("graphics cannot be opened");
      return;
    }
    ClearScreen();
    PresentFrame(0);
    glFinish();
    CloseDefaultGraphics();
  }
}
BENCHMARK(Open2DGraphicsAndPresentAFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void OpenPlainGLGraphicsAndPresentAFrame(benchmark::State& state) {
  if (!RendererReady(state)) return;
  CloseDefaultGraphics();
  SelectGraphicsDriver(GLGraphicsDriver(), 2);
  for (auto _ : state) {
    if (!OpenGraphics(kWindowWidth, kWindowHeight, 0, 0)) {
      state.SkipWithError("graphics cannot be opened");
      return;
    }
    glClear(GL_COLOR_BUFFER_BIT);
    PresentFrame(0);
    glFinish();
    CloseDefaultGraphics();
  }
  SelectGraphicsDriver(GLPlex2DDriver(), 2);
}
BENCHMARK(OpenPlainGLGraphicsAndPresentAFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
