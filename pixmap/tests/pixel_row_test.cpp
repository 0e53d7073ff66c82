#include <corvax/pixmap/pixel_format.h>
#include <corvax/pixmap/pixel_row.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace corvax {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Expand(const Bytes& pixel, int format) {
  Bytes out(4, 0xEE);
  ConvertPixelRow(pixel.data(), format, out.data(), FORMAT_RGBA8888, 1);
  return out;
}

Bytes Reduce(const Bytes& rgba, int format) {
  Bytes out(static_cast<std::size_t>(BytesPerPixel[format]), 0xEE);
  ConvertPixelRow(rgba.data(), FORMAT_RGBA8888, out.data(), format, 1);
  return out;
}

TEST(ConvertPixelRow, ExpandsEveryFormatToRGBA) {
  EXPECT_EQ(Expand({90}, FORMAT_GREY8), (Bytes{90, 90, 90, 255}));
  EXPECT_EQ(Expand({90}, FORMAT_ALPHA8), (Bytes{255, 255, 255, 90}));
  EXPECT_EQ(Expand({1, 2, 3}, FORMAT_BGR888), (Bytes{3, 2, 1, 255}));
  EXPECT_EQ(Expand({1, 2, 3}, FORMAT_RGB888), (Bytes{1, 2, 3, 255}));
  EXPECT_EQ(Expand({1, 2, 3, 4}, FORMAT_BGRA8888), (Bytes{3, 2, 1, 4}));
  EXPECT_EQ(Expand({1, 2, 3, 4}, FORMAT_RGBA8888), (Bytes{1, 2, 3, 4}));
  // The single-channel colour formats and luminance carry alpha 1.
  EXPECT_EQ(Expand({90}, FORMAT_RED8), (Bytes{90, 0, 0, 1}));
  EXPECT_EQ(Expand({90}, FORMAT_GREEN8), (Bytes{0, 90, 0, 1}));
  EXPECT_EQ(Expand({90}, FORMAT_BLUE8), (Bytes{0, 0, 90, 1}));
  EXPECT_EQ(Expand({90}, FORMAT_CHANNEL_ALPHA8), (Bytes{0, 0, 0, 90}));
  EXPECT_EQ(Expand({90}, FORMAT_INTENSITY8), (Bytes{90, 90, 90, 90}));
  EXPECT_EQ(Expand({90}, FORMAT_LUMINANCE8), (Bytes{90, 90, 90, 1}));
}

TEST(ConvertPixelRow, ReducesRGBAToEveryFormat) {
  const Bytes rgba{10, 20, 31, 200};
  EXPECT_EQ(Reduce(rgba, FORMAT_GREY8), (Bytes{20}));  // 61 / 3
  EXPECT_EQ(Reduce(rgba, FORMAT_ALPHA8), (Bytes{200}));
  EXPECT_EQ(Reduce(rgba, FORMAT_BGR888), (Bytes{31, 20, 10}));
  EXPECT_EQ(Reduce(rgba, FORMAT_RGB888), (Bytes{10, 20, 31}));
  EXPECT_EQ(Reduce(rgba, FORMAT_BGRA8888), (Bytes{31, 20, 10, 200}));
  EXPECT_EQ(Reduce(rgba, FORMAT_RGBA8888), rgba);
  EXPECT_EQ(Reduce(rgba, FORMAT_RED8), (Bytes{10}));
  EXPECT_EQ(Reduce(rgba, FORMAT_GREEN8), (Bytes{20}));
  EXPECT_EQ(Reduce(rgba, FORMAT_BLUE8), (Bytes{31}));
  EXPECT_EQ(Reduce(rgba, FORMAT_CHANNEL_ALPHA8), (Bytes{200}));
  EXPECT_EQ(Reduce(rgba, FORMAT_INTENSITY8), (Bytes{65}));  // 261 >> 2
  EXPECT_EQ(Reduce(rgba, FORMAT_LUMINANCE8), (Bytes{20}));
  // Sums above 255 must not wrap before dividing.
  EXPECT_EQ(Reduce({255, 255, 255, 255}, FORMAT_GREY8), (Bytes{255}));
  EXPECT_EQ(Reduce({255, 255, 255, 255}, FORMAT_INTENSITY8), (Bytes{255}));
}

TEST(ConvertPixelRow, BetweenNonPivotFormatsGoesThroughRGBA) {
  // BGRA -> BGR -> BGRA keeps the colour and makes alpha 255.
  const Bytes bgra{1, 2, 3, 4, 5, 6, 7, 8};
  Bytes bgr(6), back(8);
  ConvertPixelRow(bgra.data(), FORMAT_BGRA8888, bgr.data(), FORMAT_BGR888, 2);
  EXPECT_EQ(bgr, (Bytes{1, 2, 3, 5, 6, 7}));
  ConvertPixelRow(bgr.data(), FORMAT_BGR888, back.data(), FORMAT_BGRA8888, 2);
  EXPECT_EQ(back, (Bytes{1, 2, 3, 255, 5, 6, 7, 255}));
  // Luminance into alpha carries the alpha 1 of the expansion.
  Bytes alpha(1);
  const Bytes lum{77};
  ConvertPixelRow(lum.data(), FORMAT_LUMINANCE8, alpha.data(), FORMAT_ALPHA8, 1);
  EXPECT_EQ(alpha, (Bytes{1}));
}

TEST(ConvertPixelRow, LongRowsConvertEveryPixel) {
  // Longer than any internal slice, and not a multiple of one.
  const int count = 3001;
  Bytes rgb(static_cast<std::size_t>(count) * 3), grey(static_cast<std::size_t>(count), 0xEE);
  for (int i = 0; i < count; ++i) {
    rgb[3 * i] = static_cast<std::uint8_t>(i);
    rgb[3 * i + 1] = static_cast<std::uint8_t>(i * 7);
    rgb[3 * i + 2] = static_cast<std::uint8_t>(i * 13);
  }
  ConvertPixelRow(rgb.data(), FORMAT_RGB888, grey.data(), FORMAT_GREY8, count);
  Bytes fromRgb(static_cast<std::size_t>(count) * 4), fromBgr(fromRgb.size());
  ConvertPixelRow(rgb.data(), FORMAT_RGB888, fromRgb.data(), FORMAT_RGBA8888, count);
  ConvertPixelRow(rgb.data(), FORMAT_BGR888, fromBgr.data(), FORMAT_RGBA8888, count);
  for (int i = 0; i < count; ++i) {
    ASSERT_EQ(grey[i], (rgb[3 * i] + rgb[3 * i + 1] + rgb[3 * i + 2]) / 3) << i;
    const Bytes s(rgb.begin() + 3 * i, rgb.begin() + 3 * i + 3);
    ASSERT_EQ(Bytes(fromRgb.begin() + 4 * i, fromRgb.begin() + 4 * i + 4),
              (Bytes{s[0], s[1], s[2], 255}))
        << i;
    ASSERT_EQ(Bytes(fromBgr.begin() + 4 * i, fromBgr.begin() + 4 * i + 4),
              (Bytes{s[2], s[1], s[0], 255}))
        << i;
  }
}

TEST(ConvertPixelRow, EqualFormatsCopyAndUnknownFormatsWriteNothing) {
  const Bytes src{1, 2, 3, 4, 5, 6};
  Bytes dst(6, 0);
  ConvertPixelRow(src.data(), FORMAT_RGB888, dst.data(), FORMAT_RGB888, 2);
  EXPECT_EQ(dst, src);
  Bytes untouched(8, 0xEE);
  ConvertPixelRow(src.data(), 0, untouched.data(), FORMAT_RGBA8888, 1);
  ConvertPixelRow(src.data(), FORMAT_RGB888, untouched.data(), 13, 1);
  ConvertPixelRow(src.data(), FORMAT_RGB888, untouched.data(), FORMAT_RGBA8888, 0);
  EXPECT_EQ(untouched, Bytes(8, 0xEE));
  Bytes copy(6, 0);
  CopyPixelRow(src.data(), copy.data(), FORMAT_GREY8, 4);
  EXPECT_EQ(copy, (Bytes{1, 2, 3, 4, 0, 0}));
}

}  // namespace
}  // namespace corvax
