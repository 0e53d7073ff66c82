// The same scenes drawn by the OpenGL 2D driver and by the DirectX 7 2D driver, compared pixel
// by pixel. Solid fills, masked images at whole-pixel positions, text and grabbed pictures must
// match exactly. Where the two rasterisers may round differently (blends, filtering, rotation,
// lines and ovals), each channel may differ by kBlendTolerance, and a few edge pixels
// (kEdgeShare of the screen) may differ by more.
#include <gtest/gtest.h>

#include <cstdlib>

#include <corvax/app/pointer_motion.h>
#include <corvax/dx7/dx7_module.h>
#include <corvax/pixmap/pixmap_loader.h>
#include <corvax/plex2d/plex2d_module.h>

#include "scene_support.h"

namespace corvax {
namespace {

// One step of 8-bit rounding on each side of a blend.
constexpr int kBlendTolerance = 2;
// Shape edges: pixels whose centres lie within rounding distance of an edge.
constexpr double kEdgeShare = 0.02;

struct Difference {
  int exactMisses = 0;  // pixels not identical
  int farMisses = 0;    // pixels differing by more than kBlendTolerance in a channel
  std::string first;
};

Difference Compare(const Ref<TPixmap>& gl, const Ref<TPixmap>& dx) {
  Difference difference;
  for (int y = 0; y < test::kSceneHeight; ++y) {
    for (int x = 0; x < test::kSceneWidth; ++x) {
      const ARGB a = gl->GetPixel(x, y) & 0xFFFFFF;
      const ARGB b = dx->GetPixel(x, y) & 0xFFFFFF;
      if (a == b) continue;
      ++difference.exactMisses;
      bool far = false;
      for (int shift : {16, 8, 0}) {
        far |= std::abs(static_cast<int>((a >> shift) & 0xFF) -
                        static_cast<int>((b >> shift) & 0xFF)) > kBlendTolerance;
      }
      if (far) ++difference.farMisses;
      if (difference.first.empty()) {
        char text[96];
        std::snprintf(text, sizeof text, "first at %d,%d: OpenGL %06X, DirectX 7 %06X", x, y,
                      static_cast<unsigned>(a), static_cast<unsigned>(b));
        difference.first = text;
      }
    }
  }
  return difference;
}

bool DrewSomething(const Ref<TPixmap>& picture) {
  for (int y = 0; y < test::kSceneHeight; ++y) {
    for (int x = 0; x < test::kSceneWidth; ++x) {
      if (picture->GetPixel(x, y) != picture->GetPixel(0, 0)) return true;
    }
  }
  return false;
}

class GoldenPictureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupDX7Module();
    ASSERT_TRUE(D3D7Plex2DDriver());
  }
  void TearDown() override { SetDefaultImageFlags(IMAGE_MASK | IMAGE_FILTERED); }

  // Both drivers draw the scene; scene() is called once per driver, so it makes its images
  // itself.
  Difference Both(const std::function<void()>& scene) {
    const Ref<TPixmap> gl = test::DrawScene(GLPlex2DDriver(), scene);
    const Ref<TPixmap> dx = test::DrawScene(D3D7Plex2DDriver(), scene);
    EXPECT_TRUE(gl && dx);
    if (!gl || !dx) return {1, 1, "no picture"};
    // A scene that drew nothing in either would compare equal and prove nothing.
    EXPECT_TRUE(DrewSomething(gl)) << "OpenGL";
    EXPECT_TRUE(DrewSomething(dx)) << "DirectX 7";
    const Difference d = Compare(gl, dx);
    std::printf("differing pixels: %d, beyond tolerance: %d\n", d.exactMisses, d.farMisses);
    return d;
  }
  void ExpectExact(const std::function<void()>& scene) {
    const Difference d = Both(scene);
    EXPECT_EQ(d.exactMisses, 0) << d.first;
  }
  void ExpectClose(const std::function<void()>& scene) {
    const Difference d = Both(scene);
    EXPECT_LE(d.farMisses, kEdgeShare * test::kSceneWidth * test::kSceneHeight) << d.first;
  }
};

Ref<TImage> Cursor(int flags) {
  SetMaskRGB(255, 0, 0);
  return LoadImageFromUrl(CORVAX_CURSOR_PNG, flags);
}

// A picture of a size no power of two: 100 x 30, colours in bands.
Ref<TImage> Banded(int flags) {
  const Ref<TPixmap> pixmap = PixmapCreate(100, 30, FORMAT_RGBA8888);
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 100; ++x) {
      pixmap->SetPixel(x, y, 0xFF000000u | (x * 2 << 16) | ((y * 8) << 8) | ((x + y) % 7) * 36);
    }
  }
  return LoadImageFromUrl(Url(Ref<Object>(pixmap)), flags);
}

TEST_F(GoldenPictureTest, SolidFills) {
  ExpectExact([] {
    SetClearColor(30, 90, 170);
    ClearScreen();
    SetDrawColor(250, 200, 10);
    FillRect(10, 10, 50, 30);
    SetDrawColor(0, 255, 128);
    FillRect(100, 70, 1, 1);
    FillRect(120, 5, 33, 100);
  });
}

TEST_F(GoldenPictureTest, MaskedImagesAtWholePixels) {
  ExpectExact([] {
    SetClearColor(30, 90, 170);
    ClearScreen();
    const Ref<TImage> cursor = Cursor(IMAGE_MASK);
    ASSERT_TRUE(cursor);
    DrawImageAt(cursor, 10, 10);
    DrawImageAt(cursor, 147, 100);
    DrawImageAt(cursor, -5, 110);
  });
}

TEST_F(GoldenPictureTest, TheDemonstrationsFrameWithWrappedPointers) {
  ExpectExact([] {
    const Ref<TImage> cursor = Cursor(IMAGE_MASK);
    ClearScreen();
    SetDrawColor(30, 90, 170);
    FillRect(0, 0, test::kSceneWidth, test::kSceneHeight);
    SetDrawColor(255, 255, 255);
    // A pointer in the middle, and one past the bottom-right corner that wraps to all four.
    for (PointerPosition position : {PointerPosition{70, 50}, PointerPosition{153, 110}}) {
      for (const PointerPosition& copy :
           PointerCopies(position, 12, 21, test::kSceneWidth, test::kSceneHeight)) {
        DrawImageAt(cursor, static_cast<float>(copy.x), static_cast<float>(copy.y));
      }
    }
  });
}

TEST_F(GoldenPictureTest, TexturesOfNoPowerOfTwoSize) {
  ExpectExact([] { DrawImageAt(Banded(0), 20, 40); });
}

TEST_F(GoldenPictureTest, ImageFontText) {
  ExpectExact([] {
    SetDrawColor(255, 255, 255);
    DrawTextAt(u"Corvax 0123", 4, 4);
    SetDrawColor(255, 128, 0);
    DrawTextAt(u"~!@#", 30, 60);
  });
}

TEST_F(GoldenPictureTest, ViewportsClipAndTheWholeScreenDoesNot) {
  ExpectExact([] {
    SetClipViewport(20, 15, 70, 50);
    SetDrawColor(200, 50, 50);
    FillRect(0, 0, 160, 120);
    DrawImageAt(Cursor(IMAGE_MASK), 85, 60);
    SetClipViewport(0, 0, test::kSceneWidth, test::kSceneHeight);
    SetDrawColor(50, 200, 50);
    FillRect(100, 0, 60, 10);
    FillRect(0, 110, 10, 10);
  });
}

TEST_F(GoldenPictureTest, GrabbedPixmapsAndImages) {
  ExpectExact([] {
    SetClearColor(10, 20, 30);
    ClearScreen();
    SetDrawColor(255, 0, 255);
    FillRect(5, 5, 20, 10);
    DrawImageAt(Cursor(IMAGE_MASK), 8, 2);
    const Ref<TPixmap> grabbed = GrabPixmapAt(0, 0, 30, 25);
    DrawPixmapAt(grabbed, 100, 80);
    const Ref<TImage> image = CreateBlankImage(30, 25, 1, 0);
    GrabImageFrame(image, 0, 0);
    DrawImageAt(image, 60, 40);
  });
}

TEST_F(GoldenPictureTest, EveryBlendMode) {
  ExpectClose([] {
    SetClearColor(40, 80, 120);
    ClearScreen();
    const int modes[] = {BLEND_MASK, BLEND_SOLID, BLEND_ALPHA, BLEND_ADDITIVE, BLEND_MULTIPLY};
    int x = 2;
    for (int mode : modes) {
      SetBlendMode(mode);
      SetDrawAlpha(0.6f);
      SetDrawColor(200, 150, 100);
      FillRect(x, 10, 28, 40);
      SetDrawAlpha(0.3f);
      FillRect(x, 60, 28, 40);
      x += 31;
    }
  });
}

TEST_F(GoldenPictureTest, FilteredRotatedAndMipMappedImages) {
  ExpectClose([] {
    const Ref<TImage> banded = Banded(IMAGE_FILTERED);
    DrawImageInRect(banded, 5, 5, 150, 45);
    SetRotationAngle(30);
    DrawImageAt(Cursor(IMAGE_MASK), 40, 70);
    SetRotationAngle(0);
  });
  ExpectClose([] { DrawImageInRect(Banded(IMAGE_FILTERED | IMAGE_MIPMAPPED), 10, 60, 50, 15); });
}

TEST_F(GoldenPictureTest, LinesOvalsAndPolygons) {
  ExpectClose([] {
    SetDrawColor(255, 255, 255);
    DrawLineSegment(5, 5, 150, 20);
    DrawLineSegment(10, 110, 30, 30);
    SetLineThickness(3);
    DrawLineSegment(40, 100, 150, 90);
    SetLineThickness(1);
    SetDrawColor(0, 200, 255);
    FillOval(60, 30, 50, 35);
    Array<float> triangle;
    triangle.Items() = {120, 40, 155, 60, 125, 80};
    FillPolygon(triangle);
    PlotPoint(3, 100);
  });
}

}  // namespace
}  // namespace corvax
