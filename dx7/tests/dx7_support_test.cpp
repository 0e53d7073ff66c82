// The DirectX 7 drivers' arithmetic: names of result codes, surface generations, mip-map
// averaging, texture padding and the geometry handed to Direct3D.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include <corvax/plex2d/blend.h>

#include "dx7_support.h"

namespace corvax::dx7 {
namespace {

TEST(DXErrorName, KnownCodesByName) {
  EXPECT_EQ(DXErrorName(0), "OK");
  EXPECT_EQ(DXErrorName(0x887600E1), "NOEXCLUSIVEMODE");
  EXPECT_EQ(DXErrorName(0x887601C2), "SURFACELOST");
  EXPECT_EQ(DXErrorName(0x88760245), "EXCLUSIVEMODEALREADYSET");
  EXPECT_EQ(DXErrorName(0x8876024B), "WRONGMODE");
  EXPECT_EQ(DXErrorName(0x8876024E), "UNSUPPORTEDMODE");
}

TEST(DXErrorName, OtherCodesInHexadecimalAndLowBitsInDecimal) {
  EXPECT_EQ(DXErrorName(0x88760005), "UNKNOWN:88760005 5");
  EXPECT_EQ(DXErrorName(0x8007000E), "UNKNOWN:8007000E 14");
  EXPECT_EQ(DXErrorName(0xFFFFFFFF), "UNKNOWN:FFFFFFFF 65535");
  EXPECT_EQ(DXErrorName(1), "UNKNOWN:00000001 1");
}

TEST(SurfaceGeneration, AdvancesAndNeverReturnsToZero) {
  const int before = SurfaceGeneration();
  const int next = AdvanceSurfaceGeneration();
  EXPECT_NE(next, before);
  EXPECT_EQ(SurfaceGeneration(), next);
  EXPECT_NE(next, 0);
}

TEST(SurfaceGeneration, WrapsPastTheLargestIntAndSkipsZero) {
  EXPECT_EQ(NextSurfaceGeneration(0), 1);
  EXPECT_EQ(NextSurfaceGeneration(41), 42);
  EXPECT_EQ(NextSurfaceGeneration(INT_MAX), INT_MIN);
  EXPECT_EQ(NextSurfaceGeneration(-2), -1);
  EXPECT_EQ(NextSurfaceGeneration(-1), 1);
}

TEST(DisplayModes, FifteenBitsAndFewerAreNotListed) {
  EXPECT_FALSE(ListsDisplayMode(8));
  EXPECT_FALSE(ListsDisplayMode(15));
  EXPECT_TRUE(ListsDisplayMode(16));
  EXPECT_TRUE(ListsDisplayMode(32));
}

TEST(AveragePixels, EqualBytesStayAndExtremesMeetInTheMiddle) {
  EXPECT_EQ(AveragePixels(0xFFFFFFFF, 0xFFFFFFFF), 0xFFFFFFFFu);
  EXPECT_EQ(AveragePixels(0, 0xFFFFFFFF), 0x80808080u);
  EXPECT_EQ(AveragePixels(0, 0), 0u);
  // Bytes do not carry into each other.
  EXPECT_EQ(AveragePixels(0x00FF00FF, 0x00FF00FF), 0x00FF00FFu);
  EXPECT_EQ(AveragePixels(0x10203040, 0x30405060), 0x20304050u);
}

struct Texture {
  std::vector<std::uint32_t> pixels;
  PixelPlane plane;
  Texture(int width, int height, std::uint32_t fill = 0)
      : pixels(static_cast<std::size_t>(width * height), fill) {
    plane = {reinterpret_cast<std::uint8_t*>(pixels.data()), width * 4, width, height};
  }
};

TEST(PadEdges, RepeatsTheLastColumnAndRowOnce) {
  Texture t(8, 4);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) t.plane.At(x, y) = 0x100u * y + x + 1;
  }
  PadEdges(t.plane, 3, 2, false);
  EXPECT_EQ(t.plane.At(3, 0), 3u);
  EXPECT_EQ(t.plane.At(3, 1), 0x103u);
  EXPECT_EQ(t.plane.At(4, 0), 0u) << "one padding column only";
  EXPECT_EQ(t.plane.At(0, 2), 0x101u);
  EXPECT_EQ(t.plane.At(3, 2), 0x103u) << "the corner";
  EXPECT_EQ(t.plane.At(0, 3), 0u) << "one padding row only";
}

TEST(PadEdges, MipMappedTexturesArePaddedEverywhere) {
  Texture t(4, 4);
  t.plane.At(0, 0) = 7;
  PadEdges(t.plane, 1, 1, true);
  for (std::uint32_t pixel : t.pixels) EXPECT_EQ(pixel, 7u);
}

TEST(PadEdges, PictureFillingTheTextureOrEmptyChangesNothing) {
  Texture full(2, 2, 5);
  PadEdges(full.plane, 2, 2, true);
  for (std::uint32_t pixel : full.pixels) EXPECT_EQ(pixel, 5u);
  Texture empty(2, 2, 5);
  PadEdges(empty.plane, 0, 0, true);
  for (std::uint32_t pixel : empty.pixels) EXPECT_EQ(pixel, 5u);
}

TEST(HalveLevel, AveragesTwoByTwoBlocks) {
  Texture upper(4, 2);
  upper.plane.At(0, 0) = 0xFFFFFFFF;
  upper.plane.At(1, 0) = 0xFFFFFFFF;
  upper.plane.At(0, 1) = 0xFFFFFFFF;
  upper.plane.At(1, 1) = 0xFFFFFFFF;
  upper.plane.At(2, 0) = 0xFFFFFFFF;
  upper.plane.At(3, 1) = 0xFFFFFFFF;
  Texture lower(2, 1);
  HalveLevel(upper.plane, lower.plane);
  EXPECT_EQ(lower.plane.At(0, 0), 0xFFFFFFFFu);
  EXPECT_EQ(lower.plane.At(1, 0),
            AveragePixels(AveragePixels(0xFFFFFFFF, 0), AveragePixels(0, 0xFFFFFFFF)));
}

TEST(HalveLevel, LevelsOnePixelHighReadNothingBelowThem) {
  // 4 x 1 above 2 x 1: a second row does not exist; the one row is used twice.
  Texture upper(4, 1);
  for (int x = 0; x < 4; ++x) upper.plane.At(x, 0) = 0x40404040;
  Texture lower(2, 1);
  HalveLevel(upper.plane, lower.plane);
  EXPECT_EQ(lower.plane.At(0, 0), 0x40404040u);
  EXPECT_EQ(lower.plane.At(1, 0), 0x40404040u);
}

TEST(BlendStates, EachModeItsOwnStates) {
  const BlendRenderStates mask = BlendStatesFor(BLEND_MASK);
  EXPECT_TRUE(mask.alphaTest);
  EXPECT_FALSE(mask.alphaBlend);
  const BlendRenderStates solid = BlendStatesFor(BLEND_SOLID);
  EXPECT_FALSE(solid.alphaTest);
  EXPECT_FALSE(solid.alphaBlend);
  const BlendRenderStates alpha = BlendStatesFor(BLEND_ALPHA);
  EXPECT_TRUE(alpha.alphaBlend);
  EXPECT_EQ(alpha.sourceBlend, 5);
  EXPECT_EQ(alpha.destinationBlend, 6);
  const BlendRenderStates light = BlendStatesFor(BLEND_ADDITIVE);
  EXPECT_EQ(light.sourceBlend, 5);
  EXPECT_EQ(light.destinationBlend, 2);
  const BlendRenderStates shade = BlendStatesFor(BLEND_MULTIPLY);
  EXPECT_EQ(shade.sourceBlend, 1);
  EXPECT_EQ(shade.destinationBlend, 3);
  EXPECT_FALSE(BlendStatesFor(99).alphaBlend);
  EXPECT_FALSE(BlendStatesFor(99).alphaTest);
}

TEST(Projection, PixelCoordinatesMapHalfAPixelShifted) {
  const PixelProjection p = ProjectionFor(200, 100);
  EXPECT_FLOAT_EQ(p.scaleX, 0.01f);
  EXPECT_FLOAT_EQ(p.scaleY, -0.02f);
  EXPECT_FLOAT_EQ(p.offsetX, -1.005f);
  EXPECT_FLOAT_EQ(p.offsetY, 1.01f);
  // Pixel centre (0.5, 0.5) lands half a pixel inside the top-left corner of clip space.
  EXPECT_FLOAT_EQ(0.5f * p.scaleX + p.offsetX, -1.0f);
  // A zero-sized target does not divide by zero.
  const PixelProjection empty = ProjectionFor(0, 0);
  EXPECT_FLOAT_EQ(empty.scaleX, 2.0f);
}

TEST(Viewport, ClipPlanesKeepTheInside) {
  const auto planes = ViewportClipPlanes(10, 20, 30, 40);
  auto kept = [&](float x, float y) {
    for (const ClipPlane& p : planes) {
      if (p[0] * x + p[1] * y + p[3] < 0) return false;
    }
    return true;
  };
  EXPECT_TRUE(kept(10.5f, 20.5f));
  EXPECT_TRUE(kept(39.5f, 59.5f));
  EXPECT_FALSE(kept(9.5f, 30));
  EXPECT_FALSE(kept(40.5f, 30));
  EXPECT_FALSE(kept(20, 19.5f));
  EXPECT_FALSE(kept(20, 60.5f));
}

TEST(Viewport, OnlyTheWholeTargetNeedsNoClipping) {
  EXPECT_TRUE(CoversTarget(0, 0, 640, 480, 640, 480));
  EXPECT_FALSE(CoversTarget(0, 0, 639, 480, 640, 480));
  EXPECT_FALSE(CoversTarget(1, 0, 640, 480, 640, 480));
  EXPECT_FALSE(CoversTarget(0, 0, 641, 480, 640, 480));
}

TEST(WideLine, WidthAcrossTheShorterExtent) {
  const auto flat = WideLineStrip(0, 0, 10, 2, 4);
  EXPECT_FLOAT_EQ(flat[1], -2);
  EXPECT_FLOAT_EQ(flat[3], 2);
  EXPECT_FLOAT_EQ(flat[0], 0);
  const auto steep = WideLineStrip(0, 0, 2, 10, 4);
  EXPECT_FLOAT_EQ(steep[0], -2);
  EXPECT_FLOAT_EQ(steep[2], 2);
  EXPECT_FLOAT_EQ(steep[1], 0);
}

TEST(TextureFit, PowersOfTwoAndWherePicturesEnd) {
  const TextureFit fit = FitPictureToTexture(100, 30);
  EXPECT_EQ(fit.textureWidth, 128);
  EXPECT_EQ(fit.textureHeight, 32);
  EXPECT_FLOAT_EQ(fit.u, 0.78125f);
  EXPECT_FLOAT_EQ(fit.v, 0.9375f);
  const TextureFit exact = FitPictureToTexture(64, 1);
  EXPECT_EQ(exact.textureWidth, 64);
  EXPECT_EQ(exact.textureHeight, 1);
  EXPECT_FLOAT_EQ(exact.u, 1);
  const TextureFit hostile = FitPictureToTexture(-5, INT_MAX);
  EXPECT_EQ(hostile.textureWidth, 1);
  EXPECT_FLOAT_EQ(hostile.u, 0);
  EXPECT_GT(hostile.textureHeight, 0);
}

}  // namespace
}  // namespace corvax::dx7
