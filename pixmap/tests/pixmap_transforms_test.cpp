#include <corvax/pixmap/pixmap_transforms.h>

#include <gtest/gtest.h>

#include <cstdint>

namespace corvax {
namespace {

constexpr ARGB kMask = 0xFFFF0000;  // pure red, the framework's usual mask colour

Ref<TPixmap> Filled(int w, int h, int format, ARGB colour) {
  Ref<TPixmap> p = PixmapCreate(w, h, format);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) p->SetPixel(x, y, colour);
  }
  return p;
}

TEST(PixmapMaskColour, LonePixelOfTheMaskColourBecomesTransparentBlack) {
  Ref<TPixmap> result = PixmapMaskColour(Filled(1, 1, FORMAT_RGB888, kMask), 255, 0, 0);
  EXPECT_EQ(result->Format(), FORMAT_RGBA8888);
  EXPECT_EQ(result->GetPixel(0, 0), 0u);
}

TEST(PixmapMaskColour, MaskPixelsTakeTheAverageOfTheirNeighbours) {
  Ref<TPixmap> p = Filled(3, 3, FORMAT_RGB888, kMask);
  p->SetPixel(0, 0, 0xFF0A1420);  // 10, 20, 32
  p->SetPixel(2, 2, 0xFF141E21);  // 20, 30, 33
  p->SetPixel(1, 0, 0xFF00FF00);
  Ref<TPixmap> result = PixmapMaskColour(p, 255, 0, 0);
  // Every other pixel keeps its colour and becomes opaque.
  EXPECT_EQ(result->GetPixel(0, 0), 0xFF0A1420u);
  EXPECT_EQ(result->GetPixel(1, 0), 0xFF00FF00u);
  // Centre sees all three: (10+20+0)/3, (20+30+255)/3, (32+33+0)/3.
  EXPECT_EQ(result->GetPixel(1, 1), 0x000A6515u);
  // A corner mask pixel next to one green pixel only.
  EXPECT_EQ(result->GetPixel(2, 0), 0x0000FF00u);
  // (0, 2) touches no kept pixel.
  EXPECT_EQ(result->GetPixel(0, 2), 0u);
}

TEST(PixmapMaskColour, AlphaIsNotComparedAndOldAlphaIsDiscarded) {
  Ref<TPixmap> p = PixmapCreate(2, 1, FORMAT_BGRA8888);
  p->SetPixel(0, 0, 0x10FF0000);  // mask colour with alpha 16
  p->SetPixel(1, 0, 0x20123456);
  Ref<TPixmap> result = PixmapMaskColour(p, 255, 0, 0);
  EXPECT_EQ(result->GetPixel(0, 0), 0x00123456u);
  EXPECT_EQ(result->GetPixel(1, 0), 0xFF123456u);
  // The source is left alone, also when it already is RGBA.
  Ref<TPixmap> rgba = Filled(1, 1, FORMAT_RGBA8888, 0x40FF0000);
  EXPECT_NE(PixmapMaskColour(rgba, 255, 0, 0), rgba);
  EXPECT_EQ(rgba->GetPixel(0, 0), 0x40FF0000u);
}

TEST(PixmapFlip, MirrorsColumnsAndRowsInTheSameFormat) {
  Ref<TPixmap> p = PixmapCreate(3, 2, FORMAT_RGB888);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) p->SetPixel(x, y, 0xFF000000u | (y * 3 + x));
  }
  Ref<TPixmap> h = PixmapFlipHorizontal(p);
  Ref<TPixmap> v = PixmapFlipVertical(p);
  EXPECT_EQ(h->Format(), FORMAT_RGB888);
  EXPECT_EQ(v->Format(), FORMAT_RGB888);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(h->GetPixel(x, y), p->GetPixel(2 - x, y));
      EXPECT_EQ(v->GetPixel(x, y), p->GetPixel(x, 1 - y));
    }
  }
}

TEST(PixmapResize, TwoToFourInterpolatesAtQuarters) {
  Ref<TPixmap> p = PixmapCreate(2, 1, FORMAT_RGBA8888);
  p->SetPixel(0, 0, 0xFF0A0000);  // red 10
  p->SetPixel(1, 0, 0xFF670000);  // red 103
  Ref<TPixmap> r = PixmapResize(p, 4, 1);
  ASSERT_EQ(r->Width(), 4);
  const int expected[] = {10, 33, 79, 103};  // 10 + 93 * 0.25 = 33.25, 10 + 93 * 0.75 = 79.75
  for (int x = 0; x < 4; ++x) EXPECT_EQ(r->PixelAddress(x, 0)[0], expected[x]) << x;
  EXPECT_EQ(r->GetPixel(1, 0) >> 24, 255u);
}

TEST(PixmapResize, BilinearInBothDirectionsKeepsTheFormat) {
  Ref<TPixmap> p = PixmapCreate(2, 2, FORMAT_GREY8);
  p->PixelAddress(0, 0)[0] = 0;
  p->PixelAddress(1, 0)[0] = 100;
  p->PixelAddress(0, 1)[0] = 200;
  p->PixelAddress(1, 1)[0] = 40;
  Ref<TPixmap> r = PixmapResize(p, 4, 4);
  EXPECT_EQ(r->Format(), FORMAT_GREY8);
  // (1, 1) samples at 0.25, 0.25: top 25, bottom 160, value 25 + 135 * 0.25 = 58.75.
  EXPECT_EQ(r->PixelAddress(1, 1)[0], 58);
  EXPECT_EQ(r->PixelAddress(0, 0)[0], 0);
  EXPECT_EQ(r->PixelAddress(3, 3)[0], 40);
  // Halving averages nothing at these centres: 2 -> 1 samples the middle, 0.5 between.
  Ref<TPixmap> half = PixmapResize(p, 1, 1);
  EXPECT_EQ(half->PixelAddress(0, 0)[0], 85);  // (50 + 120) / 2
}

TEST(PixmapResize, EmptySizesGiveEmptyOrBlankPixmaps) {
  Ref<TPixmap> p = Filled(3, 3, FORMAT_RGB888, 0xFFFFFFFF);
  EXPECT_EQ(PixmapResize(p, 0, 5)->Width(), 0);
  Ref<TPixmap> fromEmpty = PixmapResize(PixmapCreate(0, 0, FORMAT_RGB888), 2, 2);
  EXPECT_EQ(fromEmpty->Width(), 2);
  EXPECT_EQ(fromEmpty->GetPixel(1, 1), 0xFF000000u);
}

}  // namespace
}  // namespace corvax
