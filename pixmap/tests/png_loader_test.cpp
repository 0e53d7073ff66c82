#include <zlib.h>

#include <gtest/gtest.h>

#include <corvax/stream/bank.h>

#include "image_files.h"
#include "memory_streams.h"

namespace corvax::testing {
namespace {

class PngLoader : public ::testing::Test {
 protected:
  void SetUp() override { StartupPixmapModule(); }
  Ref<TPixmapLoaderPNG> loader_ = RegisteredLoader<TPixmapLoaderPNG>();
};

// Pixels as ARGB, row-major.
std::vector<ARGB> Pixels(const Ref<TPixmap>& p) {
  std::vector<ARGB> out;
  for (int y = 0; y < p->Height(); ++y) {
    for (int x = 0; x < p->Width(); ++x) out.push_back(p->GetPixel(x, y));
  }
  return out;
}

TEST_F(PngLoader, GreyOfEveryDepthBecomesEightBitGrey) {
  struct Case {
    int depth;
    Bytes row;  // 3 pixels
    std::vector<ARGB> expected;
  };
  // Low depths are scaled up to the full 8-bit range.
  const Case cases[] = {
      {1, {0b10100000}, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
      {2, {0b11011000}, {0xFFFFFFFF, 0xFF555555, 0xFFAAAAAA}},
      {4, {0xF7, 0x20}, {0xFFFFFFFF, 0xFF777777, 0xFF222222}},
      {8, {0, 128, 255}, {0xFF000000, 0xFF808080, 0xFFFFFFFF}},
      {16, {0x12, 0x34, 0xAB, 0xCD, 0xFF, 0x00}, {0xFF121212, 0xFFABABAB, 0xFFFFFFFF}},
  };
  for (const Case& c : cases) {
    PngSpec spec{
        .width = 3, .colourType = PNG_COLOR_TYPE_GRAY, .bitDepth = c.depth, .rows = {c.row}};
    Ref<TPixmap> p = LoadImage(MakePng(spec));
    ASSERT_TRUE(p) << c.depth;
    EXPECT_EQ(p->Format(), FORMAT_GREY8);
    EXPECT_EQ(p->Pitch(), 4);
    EXPECT_EQ(Pixels(p), c.expected) << c.depth;
  }
}

TEST_F(PngLoader, TrueColourKeepsTheHighByteOfSixteenBitSamples) {
  PngSpec rgb8{.width = 2, .colourType = PNG_COLOR_TYPE_RGB, .rows = {{1, 2, 3, 4, 5, 6}}};
  Ref<TPixmap> p = LoadImage(MakePng(rgb8));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Format(), FORMAT_RGB888);
  EXPECT_EQ(Pixels(p), (std::vector<ARGB>{0xFF010203, 0xFF040506}));

  PngSpec rgb16{.colourType = PNG_COLOR_TYPE_RGB,
                .bitDepth = 16,
                .rows = {{0xAA, 0x01, 0xBB, 0x02, 0xCC, 0x03}}};
  p = LoadImage(MakePng(rgb16));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Format(), FORMAT_RGB888);
  EXPECT_EQ(p->GetPixel(0, 0), 0xFFAABBCCu);

  PngSpec rgba8{.colourType = PNG_COLOR_TYPE_RGB_ALPHA, .rows = {{9, 8, 7, 6}}};
  p = LoadImage(MakePng(rgba8));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Format(), FORMAT_RGBA8888);
  EXPECT_EQ(p->GetPixel(0, 0), 0x06090807u);

  PngSpec rgba16{.colourType = PNG_COLOR_TYPE_RGB_ALPHA,
                 .bitDepth = 16,
                 .rows = {{9, 0, 8, 0, 7, 0, 6, 0xFF}}};
  p = LoadImage(MakePng(rgba16));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->GetPixel(0, 0), 0x06090807u);
}

TEST_F(PngLoader, GreyWithAlphaSpreadsGreyIntoColour) {
  PngSpec ga8{.width = 2, .colourType = PNG_COLOR_TYPE_GRAY_ALPHA, .rows = {{200, 50, 7, 255}}};
  Ref<TPixmap> p = LoadImage(MakePng(ga8));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Format(), FORMAT_RGBA8888);
  EXPECT_EQ(Pixels(p), (std::vector<ARGB>{0x32C8C8C8, 0xFF070707}));

  PngSpec ga16{.colourType = PNG_COLOR_TYPE_GRAY_ALPHA, .bitDepth = 16, .rows = {{200, 1, 50, 2}}};
  p = LoadImage(MakePng(ga16));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->GetPixel(0, 0), 0x32C8C8C8u);
}

TEST_F(PngLoader, TransparencyChunksAddAnAlphaChannel) {
  const std::vector<png_color> palette{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  PngSpec indexed{
      .width = 3, .colourType = PNG_COLOR_TYPE_PALETTE, .rows = {{0, 1, 2}}, .palette = palette};
  Ref<TPixmap> p = LoadImage(MakePng(indexed));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Format(), FORMAT_RGB888);
  EXPECT_EQ(Pixels(p), (std::vector<ARGB>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF}));

  indexed.paletteAlpha = {0, 128};  // entry 2 stays opaque
  p = LoadImage(MakePng(indexed));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Format(), FORMAT_RGBA8888);
  EXPECT_EQ(Pixels(p), (std::vector<ARGB>{0x00FF0000, 0x8000FF00, 0xFF0000FF}));

  for (int depth : {1, 2, 4}) {
    PngSpec low{.width = 2,
                .colourType = PNG_COLOR_TYPE_PALETTE,
                .bitDepth = depth,
                .rows = {{static_cast<std::uint8_t>(1 << (8 - depth))}},
                .palette = {palette[0], palette[1]}};
    p = LoadImage(MakePng(low));
    ASSERT_TRUE(p) << depth;
    EXPECT_EQ(Pixels(p), (std::vector<ARGB>{0xFF00FF00, 0xFFFF0000})) << depth;
  }

  png_color_16 grey100{};
  grey100.gray = 100;
  PngSpec keyedGrey{.width = 2,
                    .colourType = PNG_COLOR_TYPE_GRAY,
                    .rows = {{100, 101}},
                    .transparentColour = &grey100};
  p = LoadImage(MakePng(keyedGrey));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Format(), FORMAT_RGBA8888);
  EXPECT_EQ(Pixels(p), (std::vector<ARGB>{0x00646464, 0xFF656565}));

  png_color_16 keyRgb{};
  keyRgb.red = 1, keyRgb.green = 2, keyRgb.blue = 3;
  PngSpec keyedRgb{.width = 2,
                   .colourType = PNG_COLOR_TYPE_RGB,
                   .rows = {{1, 2, 3, 1, 2, 4}},
                   .transparentColour = &keyRgb};
  p = LoadImage(MakePng(keyedRgb));
  ASSERT_TRUE(p);
  EXPECT_EQ(Pixels(p), (std::vector<ARGB>{0x00010203, 0xFF010204}));
}

TEST_F(PngLoader, InterlacedImagesLoadWhole) {
  PngSpec spec{.width = 5, .height = 5, .colourType = PNG_COLOR_TYPE_GRAY, .interlaced = true};
  for (int y = 0; y < 5; ++y) {
    Bytes row;
    for (int x = 0; x < 5; ++x) row.push_back(static_cast<std::uint8_t>(y * 5 + x));
    spec.rows.push_back(row);
  }
  Ref<TPixmap> p = LoadImage(MakePng(spec));
  ASSERT_TRUE(p);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(p->PixelAddress(x, y)[0], y * 5 + x);
  }
}

TEST_F(PngLoader, SavedPixmapsReadBackInTheirFormat) {
  struct Case {
    int format;
    int loadsAs;
  };
  const Case cases[] = {{FORMAT_GREY8, FORMAT_GREY8},       {FORMAT_ALPHA8, FORMAT_RGBA8888},
                        {FORMAT_BGR888, FORMAT_RGB888},     {FORMAT_RGB888, FORMAT_RGB888},
                        {FORMAT_BGRA8888, FORMAT_RGBA8888}, {FORMAT_RGBA8888, FORMAT_RGBA8888}};
  for (const Case& c : cases) {
    Ref<TPixmap> p = PixmapCreate(7, 3, c.format);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 7; ++x) p->SetPixel(x, y, 0x10203040u * (x + 1) + 0x01050309u * y);
    }
    Ref<TBank> file = TBank::CreateBank(0);
    ASSERT_EQ(PixmapSavePNG(p, file, 6), 1);
    Ref<TPixmap> back = PixmapLoad(file);
    ASSERT_TRUE(back) << c.format;
    EXPECT_EQ(back->Format(), c.loadsAs);
    EXPECT_EQ(Pixels(back), Pixels(p)) << c.format;
  }
}

TEST_F(PngLoader, SavingBgraWritesRedAndBlueInPlace) {
  Ref<TPixmap> p = PixmapCreate(1, 1, FORMAT_BGRA8888);
  p->SetPixel(0, 0, 0x80FF0010);
  Ref<TBank> file = TBank::CreateBank(0);
  ASSERT_EQ(PixmapSavePNG(p, file, 9), 1);
  Ref<TPixmap> back = PixmapLoad(file);
  ASSERT_TRUE(back);
  const std::uint8_t* rgba = back->PixelAddress(0, 0);
  EXPECT_EQ((Bytes{rgba[0], rgba[1], rgba[2], rgba[3]}), (Bytes{0xFF, 0, 0x10, 0x80}));
}

TEST_F(PngLoader, CompressionLevelsOutsideZlibsRangeStillWrite) {
  Ref<TPixmap> p = PixmapCreate(16, 16, FORMAT_RGB888);
  for (int level : {-5, 0, 9, 42}) {
    Ref<TBank> file = TBank::CreateBank(0);
    EXPECT_EQ(PixmapSavePNG(p, file, level), 1) << level;
    EXPECT_TRUE(PixmapLoad(file)) << level;
  }
}

TEST_F(PngLoader, SaveReportsWhatCouldNotBeWritten) {
  EXPECT_EQ(PixmapSavePNG(PixmapCreate(1, 1, FORMAT_GREY8), "/nonexistent-dir/x.png", 6), 0);
  Ref<TBank> file = TBank::CreateBank(0);
  EXPECT_EQ(PixmapSavePNG(PixmapCreate(0, 0, FORMAT_GREY8), file, 6), 0);

  // A stream that stops taking bytes: its exception comes out and the stream is closed.
  auto full = New<LimitedStream>(100);
  EXPECT_THROW(PixmapSavePNG(PixmapCreate(64, 64, FORMAT_RGB888), full, 0), TStreamWriteException);
  // The stream is released: nothing else still holds it.
  EXPECT_EQ(full->ReferenceCount(), 1);
}

// A small file's bytes stay buffered until it closes, where the full disk shows.
TEST_F(PngLoader, SavingToAFullDiskFails) {
  EXPECT_FALSE(PixmapSavePNG(PixmapCreate(4, 4, FORMAT_GREY8), "/dev/full", 6));
}

TEST_F(PngLoader, ShortAndForeignDataIsRefused) {
  EXPECT_TRUE(LoadWith(loader_, {}).IsNull());
  EXPECT_TRUE(LoadWith(loader_, {0x89, 'P', 'N', 'G'}).IsNull());
  EXPECT_TRUE(LoadWith(loader_, {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0}).IsNull());
}

TEST_F(PngLoader, TruncatedFilesAreRefused) {
  PngSpec spec{.width = 9, .height = 4, .colourType = PNG_COLOR_TYPE_RGB_ALPHA};
  for (int y = 0; y < 4; ++y) spec.rows.push_back(Bytes(36, static_cast<std::uint8_t>(y * 60)));
  const Bytes file = MakePng(spec);
  ASSERT_TRUE(LoadImage(file));
  ExpectEveryTruncationRefused(file);
  // Cut inside the image data, the loader itself reports the stream running out.
  EXPECT_THROW(LoadWith(loader_, Bytes(file.begin(), file.begin() + 60)), TStreamReadException);
}

TEST_F(PngLoader, CorruptFilesAreRefused) {
  PngSpec spec{.width = 8, .height = 8, .colourType = PNG_COLOR_TYPE_RGB};
  for (int y = 0; y < 8; ++y) spec.rows.push_back(Bytes(24, static_cast<std::uint8_t>(y)));
  const Bytes file = MakePng(spec);
  // Any changed byte after the signature breaks a CRC or the image data.
  for (std::size_t at = 8; at < file.size(); ++at) {
    Bytes bad = file;
    bad[at] ^= 0x5A;
    Ref<TPixmap> p;
    try {
      p = LoadWith(loader_, bad);
    } catch (const TStreamException&) {
      continue;  // a length that now runs past the end
    }
    // A changed chunk name may turn a critical chunk into an unknown ancillary one that libpng
    // skips; what loads then is still a whole, initialised image of the declared size.
    if (p) {
      EXPECT_EQ(p->Width() * p->Height(), 64) << at;
    }
  }
}

// One chunk: length, type, data and CRC, big-endian.
void AppendChunk(Bytes& file, const char* type, const Bytes& data) {
  Bytes body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  auto bigEndian = [&](uLong v) {
    for (int shift = 24; shift >= 0; shift -= 8)
      file.push_back(static_cast<std::uint8_t>(v >> shift));
  };
  bigEndian(data.size());
  file.insert(file.end(), body.begin(), body.end());
  bigEndian(crc32(0, body.data(), static_cast<uInt>(body.size())));
}

TEST_F(PngLoader, HeadersClaimingMoreThanAPixmapCanHoldAreRefused) {
  // 40000 x 40000 RGBA would need 6.4 GB.
  Bytes file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  AppendChunk(file, "IHDR",
              {0, 0, 0x9C, 0x40, 0, 0, 0x9C, 0x40, 8, PNG_COLOR_TYPE_RGB_ALPHA, 0, 0, 0});
  AppendChunk(file, "IDAT", {});
  EXPECT_TRUE(LoadWith(loader_, file).IsNull());
}

TEST_F(PngLoader, AncillaryChunksAreSkippedUnread) {
  // A picture with text and a colour profile loads as if they were not there.
  PngSpec spec{.width = 2, .colourType = PNG_COLOR_TYPE_RGB, .rows = {{1, 2, 3, 4, 5, 6}}};
  const Bytes plain = MakePng(spec);
  Bytes file(plain.begin(), plain.begin() + 33);  // signature and header
  AppendChunk(file, "tEXt", {'T', 'i', 't', 'l', 'e', 0, 'x'});
  AppendChunk(file, "iCCP", {'p', 0, 0, 0x78, 0x9C, 0x03, 0, 0, 0, 0, 1});
  file.insert(file.end(), plain.begin() + 33, plain.end());
  Ref<TPixmap> p = LoadImage(file);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->GetPixel(1, 0), 0xFF040506u);

  // Found by fuzzing: a text chunk claiming 2 GB was allocated before its bytes were read.
  Bytes lying(plain.begin(), plain.begin() + 33);
  lying.insert(lying.end(), {0x7F, 0xFF, 0xFF, 0xF0, 't', 'E', 'X', 't', 'a', 'b', 'c'});
  EXPECT_TRUE(LoadImage(lying).IsNull());
}

}  // namespace
}  // namespace corvax::testing
