#include <gtest/gtest.h>

#include "image_files.h"

namespace corvax::testing {
namespace {

constexpr int kRaw = 2;
constexpr int kRunLength = 10;

class TgaLoader : public ::testing::Test {
 protected:
  Ref<TPixmapLoaderTGA> loader_ = RegisteredLoader<TPixmapLoaderTGA>();
};

std::vector<ARGB> Pixels(const Ref<TPixmap>& p) {
  std::vector<ARGB> out;
  for (int y = 0; y < p->Height(); ++y) {
    for (int x = 0; x < p->Width(); ++x) out.push_back(p->GetPixel(x, y));
  }
  return out;
}

TEST_F(TgaLoader, SixteenBitPixelsCarryAlphaInTheirTopBit) {
  FileWriter pixels;
  pixels.U16(0x7FFF).U16(0xFFFF).U16(0x7C00).U16(0x03E0 | 0x8000).U16(0x001F);
  Ref<TPixmap> p = LoadImage(MakeTga(kRaw, 5, 1, 16, pixels.bytes));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Format(), FORMAT_RGBA8888);
  EXPECT_EQ(Pixels(p),
            (std::vector<ARGB>{0xFFF8F8F8, 0x00F8F8F8, 0xFFF80000, 0x0000F800, 0xFF0000F8}));

  // 15-bit: the same colours, always opaque, in an RGB pixmap.
  Ref<TPixmap> q = LoadImage(MakeTga(kRaw, 5, 1, 15, pixels.bytes));
  ASSERT_TRUE(q);
  EXPECT_EQ(q->Format(), FORMAT_RGB888);
  EXPECT_EQ(Pixels(q),
            (std::vector<ARGB>{0xFFF8F8F8, 0xFFF8F8F8, 0xFFF80000, 0xFF00F800, 0xFF0000F8}));
}

TEST_F(TgaLoader, TrueColourRowsAreStoredBottomUp) {
  // 3 x 2, 24-bit: bottom row first in the file.
  const Bytes bottom{1, 2, 3, 4, 5, 6, 7, 8, 9};
  const Bytes top{10, 11, 12, 13, 14, 15, 16, 17, 18};
  Bytes data = bottom;
  data.insert(data.end(), top.begin(), top.end());
  Ref<TPixmap> p = LoadImage(MakeTga(kRaw, 3, 2, 24, data));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Format(), FORMAT_RGB888);
  EXPECT_EQ(Pixels(p), (std::vector<ARGB>{0xFF0C0B0A, 0xFF0F0E0D, 0xFF121110, 0xFF030201,
                                          0xFF060504, 0xFF090807}));
  // The origin bits are not consulted: a top-left file loads upside down.
  Ref<TPixmap> flipped = LoadImage(MakeTga(kRaw, 3, 2, 24, data, 0x20));
  ASSERT_TRUE(flipped);
  EXPECT_EQ(Pixels(flipped), Pixels(p));

  Ref<TPixmap> q = LoadImage(MakeTga(kRaw, 2, 1, 32, {1, 2, 3, 4, 5, 6, 7, 0}));
  ASSERT_TRUE(q);
  EXPECT_EQ(q->Format(), FORMAT_RGBA8888);
  EXPECT_EQ(Pixels(q), (std::vector<ARGB>{0x04030201, 0x00070605}));
}

TEST_F(TgaLoader, TheIdentificationFieldIsSkipped) {
  Ref<TPixmap> p = LoadImage(MakeTga(kRaw, 1, 1, 24, {1, 2, 3}, 0, Bytes(17, 'i')));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->GetPixel(0, 0), 0xFF030201u);
}

TEST_F(TgaLoader, RunLengthPacketsOfEveryDepth) {
  struct Case {
    int bits;
    Bytes a, b;  // two pixels in file form
    ARGB expectedA, expectedB;
  };
  const Case cases[] = {
      {15, {0x00, 0x7C}, {0x1F, 0x00}, 0xFFF80000, 0xFF0000F8},
      {16, {0x00, 0xFC}, {0x1F, 0x00}, 0x00F80000, 0xFF0000F8},
      {24, {1, 2, 3}, {4, 5, 6}, 0xFF030201, 0xFF060504},
      {32, {1, 2, 3, 4}, {5, 6, 7, 8}, 0x04030201, 0x08070605},
  };
  for (const Case& c : cases) {
    // Row of 5: a run of 3 a's, then a raw packet of 2: b, a.
    FileWriter f;
    f.U8(0x80 + 2).Raw(c.a).U8(1).Raw(c.b).Raw(c.a);
    Ref<TPixmap> p = LoadImage(MakeTga(kRunLength, 5, 1, c.bits, f.bytes));
    ASSERT_TRUE(p) << c.bits;
    const ARGB a = c.expectedA, b = c.expectedB;
    EXPECT_EQ(Pixels(p), (std::vector<ARGB>{a, a, a, b, a})) << c.bits;
  }
}

TEST_F(TgaLoader, PacketsStopAtTheRowEnd) {
  // 2 x 2. The first row's run says 4 pixels: the last 2 are dropped. The second row's raw
  // packet holds 3 pixels: the third is read and dropped, and nothing of it reaches row 1.
  FileWriter f;
  f.U8(0x80 + 3).Raw({1, 1, 1});
  f.U8(2).Raw({2, 2, 2}).Raw({3, 3, 3}).Raw({4, 4, 4});
  Ref<TPixmap> p = LoadImage(MakeTga(kRunLength, 2, 2, 24, f.bytes));
  ASSERT_TRUE(p);
  EXPECT_EQ(Pixels(p), (std::vector<ARGB>{0xFF020202, 0xFF030303, 0xFF010101, 0xFF010101}));
}

TEST_F(TgaLoader, UnsupportedHeadersAreRefused) {
  const Bytes one{1, 2, 3};
  EXPECT_TRUE(LoadWith(loader_, MakeTga(1, 1, 1, 24, one)).IsNull());  // colour-mapped
  EXPECT_TRUE(LoadWith(loader_, MakeTga(3, 1, 1, 24, one)).IsNull());  // grey
  EXPECT_TRUE(LoadWith(loader_, MakeTga(kRaw, 1, 1, 8, one)).IsNull());
  EXPECT_TRUE(LoadWith(loader_, MakeTga(kRaw, 0, 1, 24, one)).IsNull());
  EXPECT_TRUE(LoadWith(loader_, MakeTga(kRaw, 1, 0, 24, one)).IsNull());
  EXPECT_TRUE(LoadWith(loader_, MakeTga(kRaw, 4097, 1, 24, one)).IsNull());
  EXPECT_TRUE(LoadWith(loader_, MakeTga(kRaw, 1, 4097, 24, one)).IsNull());
  Bytes mapped = MakeTga(kRaw, 1, 1, 24, one);
  mapped[1] = 1;  // a colour map
  EXPECT_TRUE(LoadWith(loader_, mapped).IsNull());
  // The largest side accepted.
  EXPECT_TRUE(LoadImage(MakeTga(kRaw, 4096, 1, 24, Bytes(4096 * 3, 7))));
}

TEST_F(TgaLoader, TruncatedFilesAreRefused) {
  FileWriter rle;
  for (int row = 0; row < 3; ++row) rle.U8(0x80 + 1).U16(0x1234).U8(1).U16(1).U16(2);
  const Bytes files[] = {MakeTga(kRunLength, 4, 3, 16, rle.bytes),
                         MakeTga(kRaw, 3, 3, 32, Bytes(36, 9), 0, {'x', 'y'})};
  for (const Bytes& file : files) {
    ASSERT_TRUE(LoadImage(file));
    ExpectEveryTruncationRefused(file);
  }
  EXPECT_THROW(LoadWith(loader_, MakeTga(kRaw, 4096, 4096, 32, {})), TStreamReadException);
}

}  // namespace
}  // namespace corvax::testing
