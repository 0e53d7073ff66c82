// The OpenGL 2D driver's decisions that need no GL: blend states, texture sizes and padding,
// oval segment counts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <corvax/plex2d/plex2d_module.h>

#include "opengl/gl_blend.h"
#include "opengl/gl_state.h"
#include "texture_fit.h"

namespace corvax::detail {
namespace {

TEST(GLBlend, EachModeMapsToItsFixedFunctionState) {
  EXPECT_EQ(GLBlendStateFor(BLEND_MASK), (GLBlendState{false, GL_ONE, GL_ZERO, true}));
  EXPECT_EQ(GLBlendStateFor(BLEND_SOLID), GLBlendState{});
  EXPECT_EQ(GLBlendStateFor(BLEND_ALPHA),
            (GLBlendState{true, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, false}));
  EXPECT_EQ(GLBlendStateFor(BLEND_ADDITIVE), (GLBlendState{true, GL_SRC_ALPHA, GL_ONE, false}));
  EXPECT_EQ(GLBlendStateFor(BLEND_MULTIPLY), (GLBlendState{true, GL_DST_COLOR, GL_ZERO, false}));
  EXPECT_EQ(GLBlendStateFor(0), GLBlendState{});
  EXPECT_EQ(GLBlendStateFor(99), GLBlendState{});
}

TEST(TextureFit, SizesRoundUpToPowersOfTwoAndHalveUntilAccepted) {
  EXPECT_EQ(NextPowerOfTwo(0), 1);
  EXPECT_EQ(NextPowerOfTwo(1), 1);
  EXPECT_EQ(NextPowerOfTwo(12), 16);
  EXPECT_EQ(NextPowerOfTwo(256), 256);
  EXPECT_EQ(NextPowerOfTwo(2000), 2048);
  int tw = 0, th = 0;
  const auto upTo1024 = [](int w, int h) { return w <= 1024 && h <= 1024; };
  FitTextureSize(2000, 10, upTo1024, tw, th);
  EXPECT_EQ(tw, 1024);
  EXPECT_EQ(th, 16);
  FitTextureSize(4096, 4096, upTo1024, tw, th);
  EXPECT_EQ(tw, 1024);
  EXPECT_EQ(th, 1024);
  FitTextureSize(12, 21, upTo1024, tw, th);
  EXPECT_EQ(tw, 16);
  EXPECT_EQ(th, 32);
  try {
    FitTextureSize(
        4, 4, [](int, int) { return false; }, tw, th);
    FAIL() << "no size accepted";
  } catch (const TRuntimeException& e) {
    EXPECT_EQ(e.Message(), u"Unable to calculate tex size");
  }
}

TEST(TextureFit, PaddingRepeatsThePicturesLastColumnAndRow) {
  Ref<TPixmap> picture = PixmapCreate(12, 21, FORMAT_RGB888);
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 12; ++x) picture->SetPixel(x, y, 0xFF000000u | (x << 16) | (y << 8));
  int w = 0, h = 0;
  const Ref<TPixmap> texture = TextureImage(picture, 16, 32, w, h);
  EXPECT_EQ(w, 12);
  EXPECT_EQ(h, 21);
  EXPECT_EQ(static_cast<float>(w) / 16, 0.75f);
  EXPECT_EQ(static_cast<float>(h) / 32, 0.65625f);
  EXPECT_EQ(texture->Format(), FORMAT_RGBA8888);
  EXPECT_EQ(texture->Width(), 16);
  EXPECT_EQ(texture->GetPixel(5, 7), picture->GetPixel(5, 7));
  for (int y = 0; y < 21; ++y) EXPECT_EQ(texture->GetPixel(12, y), picture->GetPixel(11, y));
  for (int x = 0; x < 12; ++x) EXPECT_EQ(texture->GetPixel(x, 21), picture->GetPixel(x, 20));
  EXPECT_EQ(texture->GetPixel(12, 21), picture->GetPixel(11, 20));

  // An exact fit is only converted.
  const Ref<TPixmap> square = PixmapCreate(256, 256, FORMAT_RGB888);
  const Ref<TPixmap> converted = TextureImage(square, 256, 256, w, h);
  EXPECT_EQ(converted->Format(), FORMAT_RGBA8888);
  EXPECT_EQ(converted->Width(), 256);
  const Ref<TPixmap> rgba = PixmapCreate(8, 8, FORMAT_RGBA8888);
  EXPECT_EQ(TextureImage(rgba, 8, 8, w, h), rgba);

  // Too big for the texture: scaled down to it.
  const Ref<TPixmap> wide = TextureImage(PixmapCreate(2000, 10, FORMAT_RGB888), 1024, 16, w, h);
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 10);
  EXPECT_EQ(wide->Width(), 1024);
  EXPECT_EQ(wide->Height(), 16);
}

TEST(GLOval, SegmentsFollowTheRadii) {
  EXPECT_EQ(OvalSegments(5, 5), 12);
  EXPECT_EQ(OvalSegments(50, 30), 80);
  EXPECT_EQ(OvalSegments(-50, 31), 80);
  EXPECT_EQ(OvalSegments(0, 0), 12);
  EXPECT_EQ(OvalSegments(1e30f, 1), 65536);
  EXPECT_EQ(OvalSegments(std::numeric_limits<float>::quiet_NaN(), 1), 12);
}

}  // namespace
}  // namespace corvax::detail
