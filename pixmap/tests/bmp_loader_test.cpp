#include <gtest/gtest.h>

#include "image_files.h"

namespace corvax::testing {
namespace {

const std::vector<BmpEntry> kPalette{
    {0, 0, 0, 0}, {255, 255, 255, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};

class BmpLoader : public ::testing::Test {
 protected:
  Ref<TPixmapLoaderBMP> loader_ = RegisteredLoader<TPixmapLoaderBMP>();
};

std::vector<ARGB> Row(const Ref<TPixmap>& p, int y) {
  std::vector<ARGB> out;
  for (int x = 0; x < p->Width(); ++x) out.push_back(p->GetPixel(x, y));
  return out;
}

TEST_F(BmpLoader, OneBitRowsUseTheFirstTwoEntriesWhateverColoursUsedSays) {
  // Width 11: two bytes of bits, padded to 4. Rows are stored bottom-up.
  const Bytes top{0b10110000, 0b01100000};
  const Bytes bottom{0b00000000, 0b00100000};
  for (std::uint32_t coloursUsed : {0u, 2u, 200u}) {
    Ref<TPixmap> p =
        LoadImage(MakeBmp(11, 2, 1, {kPalette[2], kPalette[3]}, coloursUsed, {top, bottom}));
    ASSERT_TRUE(p) << coloursUsed;
    EXPECT_EQ(p->Format(), FORMAT_BGR888);
    const ARGB r = 0xFFFF0000, g = 0xFF00FF00;
    EXPECT_EQ(Row(p, 0), (std::vector<ARGB>{g, r, g, g, r, r, r, r, r, g, g}));
    EXPECT_EQ(Row(p, 1), (std::vector<ARGB>{r, r, r, r, r, r, r, r, r, r, g}));
  }
}

TEST_F(BmpLoader, FourBitRowsTakeTheHighHalfFirst) {
  // Width 5: three bytes, padded to 4.
  Ref<TPixmap> p = LoadImage(MakeBmp(5, 1, 4, kPalette, 5, {{0x12, 0x34, 0x00}}));
  ASSERT_TRUE(p);
  EXPECT_EQ(Row(p, 0),
            (std::vector<ARGB>{0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000}));
}

TEST_F(BmpLoader, EightBitRowsArePaddedToFourBytes) {
  // Width 5: rows of 8 bytes in the file.
  Ref<TPixmap> p = LoadImage(MakeBmp(5, 2, 8, kPalette, 5, {{4, 3, 2, 1, 0}, {0, 0, 0, 0, 1}}));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Pitch(), 16);
  EXPECT_EQ(Row(p, 0),
            (std::vector<ARGB>{0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0xFFFFFFFF, 0xFF000000}));
  EXPECT_EQ(p->GetPixel(4, 1), 0xFFFFFFFFu);
}

TEST_F(BmpLoader, IndicesBeyondThePaletteTakeEntryZero) {
  const std::vector<BmpEntry> two{{9, 8, 7, 0}, {1, 2, 3, 0}};
  Ref<TPixmap> p = LoadImage(MakeBmp(3, 1, 8, two, 2, {{1, 200, 255}}));
  ASSERT_TRUE(p);
  EXPECT_EQ(Row(p, 0), (std::vector<ARGB>{0xFF030201, 0xFF070809, 0xFF070809}));
  Ref<TPixmap> q = LoadImage(MakeBmp(2, 1, 4, two, 2, {{0x1F}}));
  ASSERT_TRUE(q);
  EXPECT_EQ(Row(q, 0), (std::vector<ARGB>{0xFF030201, 0xFF070809}));
}

TEST_F(BmpLoader, PaletteEntriesBeyondTheIndexableAreSkipped) {
  // A 4-bit file claiming 18 colours: entries 16 and 17 are read past.
  std::vector<BmpEntry> palette(18, BmpEntry{0, 0, 0, 0});
  palette[15] = {10, 20, 30, 0};
  palette[16] = palette[17] = {99, 99, 99, 99};
  Ref<TPixmap> p = LoadImage(MakeBmp(2, 1, 4, palette, 18, {{0xF0}}));
  ASSERT_TRUE(p);
  EXPECT_EQ(Row(p, 0), (std::vector<ARGB>{0xFF1E140A, 0xFF000000}));
}

TEST_F(BmpLoader, TrueColourRowsKeepTheirBytes) {
  // 24-bit width 5: 15 bytes padded to 16.
  Bytes row24;
  for (int x = 0; x < 5; ++x) row24.insert(row24.end(), {std::uint8_t(x), 0x10, 0xF0});
  Ref<TPixmap> p = LoadImage(MakeBmp(5, 1, 24, {}, 0, {row24}));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Format(), FORMAT_BGR888);
  EXPECT_EQ(p->GetPixel(3, 0), 0xFFF01003u);

  // 32-bit: the fourth byte is alpha as stored, 0 included.
  Ref<TPixmap> q = LoadImage(MakeBmp(3, 1, 32, {}, 0, {{1, 2, 3, 0, 4, 5, 6, 128, 7, 8, 9, 255}}));
  ASSERT_TRUE(q);
  EXPECT_EQ(q->Format(), FORMAT_BGRA8888);
  EXPECT_EQ(Row(q, 0), (std::vector<ARGB>{0x00030201, 0x80060504, 0xFF090807}));
}

TEST_F(BmpLoader, TheCompressionFieldIsNotConsulted) {
  Ref<TPixmap> p = LoadImage(MakeBmp(2, 1, 8, kPalette, 5, {{1, 2}}, /*compression=*/1));
  ASSERT_TRUE(p);
  EXPECT_EQ(Row(p, 0), (std::vector<ARGB>{0xFFFFFFFF, 0xFFFF0000}));
}

TEST_F(BmpLoader, ImpossibleSizesAndDepthsAreRefused) {
  const Bytes row(16, 0);
  EXPECT_TRUE(LoadWith(loader_, MakeBmp(0, 1, 24, {}, 0, {row})).IsNull());
  EXPECT_TRUE(LoadWith(loader_, MakeBmp(1, 0, 24, {}, 0, {})).IsNull());
  EXPECT_TRUE(LoadWith(loader_, MakeBmp(-4, 1, 24, {}, 0, {row})).IsNull());
  EXPECT_TRUE(LoadWith(loader_, MakeBmp(4, -1, 24, {}, 0, {row})).IsNull());  // top-down
  EXPECT_TRUE(LoadWith(loader_, MakeBmp(50000, 50000, 24, {}, 0, {row})).IsNull());
  EXPECT_TRUE(LoadWith(loader_, MakeBmp(4, 1, 16, {}, 0, {row})).IsNull());
  EXPECT_TRUE(LoadWith(loader_, MakeBmp(4, 1, 0, {}, 0, {row})).IsNull());
  EXPECT_TRUE(LoadWith(loader_, {'B', 'A', 0, 0}).IsNull());
  EXPECT_TRUE(LoadWith(loader_, {}).IsNull());
}

TEST_F(BmpLoader, TruncatedFilesAreRefused) {
  const Bytes file =
      MakeBmp(5, 3, 8, kPalette, 5, {{0, 1, 2, 3, 4}, {4, 3, 2, 1, 0}, {1, 1, 1, 1, 1}});
  ASSERT_TRUE(LoadImage(file));
  ExpectEveryTruncationRefused(file);
  // Pixel rows the file does not hold are refused before anything is allocated for them.
  EXPECT_THROW(LoadWith(loader_, MakeBmp(20000, 20000, 8, kPalette, 5, {})), TStreamReadException);
  // A colour count far beyond the file's end.
  EXPECT_THROW(LoadWith(loader_, MakeBmp(1, 1, 8, kPalette, 0xFFFFFFFF, {{0}})),
               TStreamReadException);
}

}  // namespace
}  // namespace corvax::testing
