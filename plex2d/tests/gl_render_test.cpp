// The OpenGL 2D driver on a real X server (Xvfb with Mesa): what each command leaves in the
// back buffer, read back pixel by pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <corvax/graphics/graphics_module.h>
#include <corvax/pixmap/pixmap_loader.h>
#include <corvax/plex2d/plex2d_module.h>
#include <corvax/stream/embedded_files.h>
#include <corvax/system/system_module.h>

#include "private_display.h"

namespace corvax {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr ARGB kBlue = 0x1E5AAA;  // (30, 90, 170)

ARGB Rgb(const Ref<TPixmap>& p, int x, int y) {
  return p->GetPixel(x, y) & 0xFFFFFF;
}

int Channel(ARGB c, int shift) {
  return static_cast<int>((c >> shift) & 0xFF);
}

// Colours equal within `tolerance` per channel: what blending's rounding allows.
::testing::AssertionResult Near(ARGB actual, ARGB expected, int tolerance) {
  for (int shift : {16, 8, 0}) {
    if (std::abs(Channel(actual, shift) - Channel(expected, shift)) > tolerance) {
      return ::testing::AssertionFailure()
             << std::hex << "colour " << actual << " is not " << expected;
    }
  }
  return ::testing::AssertionSuccess();
}

// Every pixel of the screen is `inside` where the predicate holds and `outside` elsewhere.
void ExpectScreen(const std::function<bool(int, int)>& in, ARGB inside, ARGB outside) {
  const Ref<TPixmap> screen = GrabPixmapAt(0, 0, kWidth, kHeight);
  int wrong = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const ARGB want = in(x, y) ? inside : outside;
      if (Rgb(screen, x, y) != want && ++wrong <= 5) {
        ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << Rgb(screen, x, y)
                      << " not " << want;
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

Ref<TPixmap> Filled(int w, int h, int format, ARGB colour) {
  Ref<TPixmap> p = PixmapCreate(w, h, format);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p->SetPixel(x, y, colour);
  return p;
}

class GLRender : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { privateDisplay_.Start(); }
  static void TearDownTestSuite() { privateDisplay_.Stop(); }

  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "no X display";
    StartupPlex2DModule();
    ASSERT_EQ(CurrentGraphicsDriver(), GLPlex2DDriver());
    graphics_ = OpenGraphics(kWidth, kHeight, 0, 0);
    ASSERT_TRUE(graphics_) << "no OpenGL graphics";
    ASSERT_TRUE(TPlex2DGraphics::Current2D());
    SetMaskRGB(0, 0, 0);
  }
  void TearDown() override {
    CloseDefaultGraphics();
    PumpSystem();
  }

  Ref<TGraphics> graphics_;
  static inline testing::PrivateDisplay privateDisplay_;
};

TEST_F(GLRender, ANewContextIsClearedAndFilledRectanglesCoverExactlyTheirPixels) {
  ExpectScreen([](int, int) { return false; }, 0, 0);
  // The buffer the first present hands back was cleared as well.
  PresentFrame(0);
  ExpectScreen([](int, int) { return false; }, 0, 0);
  SetDrawColor(30, 90, 170);
  FillRect(10, 20, 30, 40);
  ExpectScreen([](int x, int y) { return x >= 10 && x < 40 && y >= 20 && y < 60; }, kBlue, 0);
  SetClearColor(1, 2, 3);
  ClearScreen();
  ExpectScreen([](int, int) { return false; }, 0, 0x010203);
}

TEST_F(GLRender, ThePointerPictureShowsTheBackgroundThroughItsMaskColour) {
  SetBlendMode(BLEND_MASK);
  SetMaskRGB(255, 0, 0);
  const Ref<TImage> pointer = LoadImageFromUrl(CORVAX_CURSOR_PNG, IMAGE_MASK);
  ASSERT_TRUE(pointer);
  const Ref<TPixmap> original = PixmapLoad(CORVAX_CURSOR_PNG);
  ClearScreen();
  SetDrawColor(30, 90, 170);
  FillRect(0, 0, kWidth, kHeight);
  SetDrawColor(255, 255, 255);
  DrawImageAt(pointer, 50, 40);
  // Drawn again across the edge, as the demonstration wraps it.
  DrawImageAt(pointer, kWidth - 6, 40);

  const Ref<TPixmap> screen = GrabPixmapAt(0, 0, kWidth, kHeight);
  for (int y = 0; y < 21; ++y) {
    for (int x = 0; x < 12; ++x) {
      const ARGB source = original->GetPixel(x, y) & 0xFFFFFF;
      const ARGB want = source == 0xFF0000 ? kBlue : source;
      EXPECT_EQ(Rgb(screen, 50 + x, 40 + y), want) << x << "," << y;
      if (x < 6) {
        EXPECT_EQ(Rgb(screen, kWidth - 6 + x, 40 + y), want) << x << "," << y;
      }
    }
  }
  EXPECT_EQ(Rgb(screen, 49, 40), kBlue);
  EXPECT_EQ(Rgb(screen, 62, 61), kBlue);

  const Ref<TGLImageFrame> frame = Cast<TGLImageFrame>(pointer->FrameFor(0));
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->U1(), 0.75f);
  EXPECT_EQ(frame->V1(), 0.65625f);
}

TEST_F(GLRender, TheDrawingColourTintsImages) {
  const Ref<TImage> white = LoadImageFromUrl(Filled(4, 4, FORMAT_RGB888, 0xFFFFFFFF), 0);
  SetDrawColor(255, 128, 0);
  DrawImageAt(white, 8, 8);
  ExpectScreen([](int x, int y) { return x >= 8 && x < 12 && y >= 8 && y < 12; }, 0xFF8000, 0);
}

TEST_F(GLRender, BlendModesCombineWithTheScreen) {
  const auto background = [](int r, int g, int b) {
    SetBlendMode(BLEND_SOLID);
    SetDrawAlpha(1);
    SetDrawColor(r, g, b);
    FillRect(0, 0, kWidth, kHeight);
  };
  const auto drawn = [] { return GrabPixmapAt(5, 5, 1, 1)->GetPixel(0, 0) & 0xFFFFFF; };

  background(100, 100, 100);
  SetBlendMode(BLEND_ALPHA);
  SetDrawColor(200, 0, 0);
  SetDrawAlpha(0.5f);
  FillRect(0, 0, 10, 10);
  EXPECT_TRUE(Near(drawn(), 0x963232, 1));  // (150, 50, 50)

  background(100, 100, 100);
  SetBlendMode(BLEND_ADDITIVE);
  SetDrawColor(100, 50, 0);
  SetDrawAlpha(1);
  FillRect(0, 0, 10, 10);
  EXPECT_TRUE(Near(drawn(), 0xC89664, 1));  // (200, 150, 100)

  background(200, 100, 50);
  SetBlendMode(BLEND_MULTIPLY);
  SetDrawColor(128, 255, 0);
  FillRect(0, 0, 10, 10);
  EXPECT_TRUE(Near(drawn(), 0x646400, 1));  // (100, 100, 0)

  // Solid ignores alpha; mask draws only at alpha 0.5 and above.
  background(0, 0, 0);
  SetBlendMode(BLEND_SOLID);
  SetDrawColor(10, 20, 30);
  SetDrawAlpha(0.2f);
  FillRect(0, 0, 10, 10);
  EXPECT_EQ(drawn(), 0x0A141Eu);
  SetBlendMode(BLEND_MASK);
  SetDrawColor(200, 200, 200);
  SetDrawAlpha(0.4f);
  FillRect(0, 0, 10, 10);
  EXPECT_EQ(drawn(), 0x0A141Eu);
  SetDrawAlpha(0.6f);
  FillRect(0, 0, 10, 10);
  EXPECT_EQ(drawn(), 0xC8C8C8u);
}

TEST_F(GLRender, TheClipViewportLimitsDrawing) {
  SetDrawColor(30, 90, 170);
  SetClipViewport(10, 15, 20, 25);
  FillRect(0, 0, kWidth, kHeight);
  ExpectScreen([](int x, int y) { return x >= 10 && x < 30 && y >= 15 && y < 40; }, kBlue, 0);
  SetClipViewport(0, 0, kWidth, kHeight);
  FillRect(0, 0, kWidth, kHeight);
  ExpectScreen([](int, int) { return true; }, kBlue, 0);
}

TEST_F(GLRender, PixmapsGoOnAndComeOffTheScreenUnchanged) {
  Ref<TPixmap> picture = PixmapCreate(7, 5, FORMAT_RGB888);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) picture->SetPixel(x, y, 0xFF000000u | (x * 30 << 16) | (y * 40));
  SetBlendMode(BLEND_ALPHA);
  SetDrawAlpha(0.5f);
  DrawPixmapAt(picture, 20, 30);
  const Ref<TPixmap> back = GrabPixmapAt(20, 30, 7, 5);
  EXPECT_EQ(back->Format(), FORMAT_RGBA8888);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(Rgb(back, x, y), Rgb(picture, x, y)) << x << "," << y;
  // The blend mode in force before is back.
  SetDrawColor(200, 0, 0);
  FillRect(0, 0, 4, 4);
  EXPECT_TRUE(Near(Rgb(GrabPixmapAt(0, 0, 1, 1), 0, 0), 0x640000, 1));

  // A grabbed frame draws back what it grabbed.
  const Ref<TImage> copy = CreateBlankImage(7, 5, 1, 0);
  GrabImageFrame(copy, 20, 30);
  SetBlendMode(BLEND_SOLID);
  SetDrawColor(255, 255, 255);
  SetDrawAlpha(1);
  DrawImageAt(copy, 100, 60);
  const Ref<TPixmap> again = GrabPixmapAt(100, 60, 7, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(Rgb(again, x, y), Rgb(picture, x, y)) << x << "," << y;
}

TEST_F(GLRender, ShapesLandOnThePixelsTheyCover) {
  SetDrawColor(255, 255, 255);
  PlotPoint(7, 9);
  DrawLineSegment(20, 5, 40, 5, 0);
  FillOval(60, 40, 20, 20);
  FillPolygon(Array<float>{100, 10, 140, 10, 100, 50});
  const Ref<TPixmap> s = GrabPixmapAt(0, 0, kWidth, kHeight);
  EXPECT_EQ(Rgb(s, 7, 9), 0xFFFFFFu);
  EXPECT_EQ(Rgb(s, 8, 9), 0u);
  EXPECT_EQ(Rgb(s, 30, 5), 0xFFFFFFu);
  EXPECT_EQ(Rgb(s, 30, 6), 0u);
  EXPECT_EQ(Rgb(s, 30, 4), 0u);
  EXPECT_EQ(Rgb(s, 70, 50), 0xFFFFFFu);
  EXPECT_EQ(Rgb(s, 61, 41), 0u);  // outside the circle, inside its box
  EXPECT_EQ(Rgb(s, 105, 15), 0xFFFFFFu);
  EXPECT_EQ(Rgb(s, 135, 45), 0u);

  // Rotated by 90 degrees about its handle, a 20 x 4 bar stands upright.
  ClearScreen();
  SetDrawHandle(10, 2);
  SetRotationAngle(90);
  FillRect(80, 60, 20, 4);
  SetRotationAngle(0);
  SetDrawHandle(0, 0);
  ExpectScreen([](int x, int y) { return x >= 78 && x < 82 && y >= 50 && y < 70; }, 0xFFFFFF, 0);
}

TEST_F(GLRender, TextDrawsTheBuiltInGlyphs) {
  const auto* bits = static_cast<const std::uint8_t*>(EmbeddedFileData(u"corvfont.bin"));
  ASSERT_NE(bits, nullptr);
  SetDrawColor(255, 255, 255);
  DrawTextAt(u"Hi", 20, 30);
  const Ref<TPixmap> s = GrabPixmapAt(0, 0, kWidth, kHeight);
  for (int row = 0; row < 16; ++row) {
    for (int k = 0; k < 8; ++k) {
      for (int i = 0; i < 2; ++i) {
        const bool on = (bits[row * 96 + (u"Hi"[i] - 32)] >> k) & 1;
        EXPECT_EQ(Rgb(s, 20 + 8 * i + k, 30 + row), on ? 0xFFFFFFu : 0u) << i << row << k;
      }
    }
  }
}

TEST_F(GLRender, DirectTextSkipsACellForCharactersItLacks) {
  const auto* bits = static_cast<const std::uint8_t*>(EmbeddedFileData(u"gldrawtextfont.bin"));
  ASSERT_NE(bits, nullptr);
  glColor4ub(255, 255, 255, 255);
  DrawTextDirect(u"A\u00e9B", 30, 40);
  const Ref<TPixmap> s = GrabPixmapAt(0, 0, kWidth, kHeight);
  for (int row = 0; row < 16; ++row) {
    for (int k = 0; k < 8; ++k) {
      const bool a = (bits[row * 96 + ('A' - 32)] >> k) & 1;
      const bool b = (bits[row * 96 + ('B' - 32)] >> k) & 1;
      EXPECT_EQ(Rgb(s, 30 + k, 40 + row), a ? 0xFFFFFFu : 0u) << row << k;
      EXPECT_EQ(Rgb(s, 38 + k, 40 + row), 0u) << row << k;
      EXPECT_EQ(Rgb(s, 46 + k, 40 + row), b ? 0xFFFFFFu : 0u) << row << k;
    }
  }
  // The renderer's drawing carries on as before.
  SetDrawColor(30, 90, 170);
  FillRect(0, 0, 2, 2);
  EXPECT_EQ(Rgb(GrabPixmapAt(0, 0, 1, 1), 0, 0), kBlue);
  DrawRectDirect(100, 100, 2, 2);
  EXPECT_EQ(Rgb(GrabPixmapAt(101, 101, 1, 1), 0, 0), kBlue);
}

TEST_F(GLRender, TilesCoverTheWholeViewport) {
  const Ref<TImage> tile = LoadImageFromUrl(Filled(16, 8, FORMAT_RGB888, 0xFF1E5AAA), 0);
  TileImageOver(tile, 3.5f, -2);
  ExpectScreen([](int, int) { return true; }, kBlue, 0);
}

TEST_F(GLRender, FramesAreRemadeForReopenedGraphicsAndStillDraw) {
  const Ref<TImage> image = LoadImageFromUrl(Filled(3, 3, FORMAT_RGB888, 0xFF1E5AAA), 0);
  const Ref<TImageFrame> first = image->FrameFor(0);
  ASSERT_TRUE(first);
  graphics_ = OpenGraphics(kWidth, kHeight, 0, 0);
  ASSERT_TRUE(graphics_);
  const Ref<TImageFrame> second = image->FrameFor(0);
  EXPECT_NE(second, first);
  EXPECT_EQ(image->FrameFor(0), second);
  DrawImageAt(image, 1, 1);
  ExpectScreen([](int x, int y) { return x >= 1 && x < 4 && y >= 1 && y < 4; }, kBlue, 0);
}

TEST_F(GLRender, MipmappedAndFilteredImagesScaleDown) {
  const Ref<TImage> image =
      LoadImageFromUrl(Filled(64, 64, FORMAT_RGB888, 0xFF1E5AAA), IMAGE_FILTERED | IMAGE_MIPMAPPED);
  SetScaleFactors(0.25f, 0.25f);
  DrawImageAt(image, 10, 10);
  SetScaleFactors(1, 1);
  ExpectScreen([](int x, int y) { return x >= 10 && x < 26 && y >= 10 && y < 26; }, kBlue, 0);
}

TEST_F(GLRender, DriverStateFollowsTheSettersAndSkipsRepeats) {
  const Ref<TGLPlex2DDriver> driver = GLPlex2DDriver();
  const auto alphaByte = [] {
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    return static_cast<int>(std::lround(colour[3] * 255));
  };
  driver->UseAlpha(1.5f);
  EXPECT_EQ(alphaByte(), 255);
  driver->UseAlpha(-1);
  EXPECT_EQ(alphaByte(), 0);
  driver->UseAlpha(0.5f);
  EXPECT_EQ(alphaByte(), 127);

  driver->UseViewport(0, 0, kWidth, kHeight);
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  driver->UseViewport(0, 0, kWidth - 1, kHeight);
  EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));

  driver->UseBlendMode(BLEND_ALPHA);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  // The mode is cached: a change behind the driver's back stays until another mode is set.
  glDisable(GL_BLEND);
  driver->UseBlendMode(BLEND_ALPHA);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  driver->UseBlendMode(BLEND_MASK);
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(GLRender, ImagesDrawInEveryWindowAndEachKeepsItsOwnState) {
  const Ref<TImage> image = LoadImageFromUrl(Filled(3, 3, FORMAT_RGB888, 0xFF1E5AAA), 0);
  DrawImageAt(image, 0, 0);
  SetDrawColor(255, 0, 0);

  const Ref<TGraphics> second = CreateGraphicsContext(64, 48, 0, 0, 0);
  ASSERT_TRUE(Cast<TPlex2DGraphics>(second));
  MakeGraphicsCurrent(second);
  int r = 0, g = 0, b = 0;
  GetDrawColor(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 255);
  // The texture made for the first window serves the second.
  DrawImageAt(image, 5, 6);
  EXPECT_EQ(Rgb(GrabPixmapAt(5, 6, 3, 3), 2, 2), kBlue);
  EXPECT_EQ(Rgb(GrabPixmapAt(4, 6, 1, 1), 0, 0), 0u);

  MakeGraphicsCurrent(graphics_);
  GetDrawColor(r, g, b);
  EXPECT_EQ(g, 0);
  CloseGraphicsContext(second);
  EXPECT_TRUE(TPlex2DGraphics::Current2D());
  FillRect(10, 10, 1, 1);
  EXPECT_EQ(Rgb(GrabPixmapAt(10, 10, 1, 1), 0, 0), 0xFF0000u);
}

TEST_F(GLRender, AnApplicationWindowTakesA2DContext) {
  SDL_Window* window = SDL_CreateWindow("plex2d attach", 0, 0, 48, 32, SDL_WINDOW_OPENGL);
  ASSERT_NE(window, nullptr) << SDL_GetError();
  const Ref<TGraphics> attached =
      AttachGraphicsContext(static_cast<int>(SDL_GetWindowID(window)), 0);
  ASSERT_TRUE(Cast<TPlex2DGraphics>(attached));
  MakeGraphicsCurrent(attached);
  EXPECT_EQ(CurrentGraphicsWidth(), 48);
  SetDrawColor(30, 90, 170);
  FillRect(0, 0, 48, 32);
  EXPECT_EQ(Rgb(GrabPixmapAt(47, 31, 1, 1), 0, 0), kBlue);
  CloseGraphicsContext(attached);
  // The window is the application's: it is still there.
  EXPECT_EQ(SDL_GetWindowFromID(SDL_GetWindowID(window)), window);
  SDL_DestroyWindow(window);
}

}  // namespace
}  // namespace corvax
