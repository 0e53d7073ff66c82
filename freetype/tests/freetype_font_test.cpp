#include <gtest/gtest.h>

#include <temp_dir.h>

#include <corvax/pixmap/pixmap.h>
#include <corvax/plex2d/image_font.h>
#include <corvax/runtime/exceptions.h>
#include <corvax/stream/embedded_files.h>
#include "test_fonts.h"

namespace corvax {
namespace {

using testing::ReadFile;

class FreeTypeFontTest : public ::testing::Test {
 protected:
  void SetUp() override { StartupFreeTypeModule(); }
};

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  bool operator==(const Rect&) const = default;
};

Rect RectOf(const Ref<TGlyph>& glyph) {
  Rect r;
  glyph->GlyphRect(r.x, r.y, r.w, r.h);
  return r;
}

TEST_F(FreeTypeFontTest, TrueTypeFileGivesMetricsAndGlyphPictures) {
  CORVAX_NEED_TTF();
  auto font = TFreeTypeFont::Load(From8Bit(CORVAX_TEST_TTF), 32, 0);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->FontStyle(), 0);
  EXPECT_GE(font->FontHeight(), 32);
  EXPECT_LE(font->FontHeight(), 48);
  EXPECT_GT(font->Ascend(), 20);
  EXPECT_LT(font->Descend(), 0);
  EXPECT_GT(font->GlyphCount(), 1000);

  const int a = font->GlyphIndexOf('A');
  ASSERT_GE(a, 0);
  EXPECT_NE(font->GlyphIndexOf('B'), a);
  auto glyph = font->GlyphAt(a);
  EXPECT_EQ(font->GlyphAt(a), glyph);  // kept, not rendered again
  const Rect r = RectOf(glyph);
  EXPECT_GT(glyph->GlyphAdvance(), 15);
  EXPECT_EQ(glyph->GlyphAdvance(), static_cast<int>(glyph->GlyphAdvance()));
  auto pixels = Cast<TPixmap>(glyph->GlyphPixels());
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels->Format(), FORMAT_ALPHA8);
  EXPECT_EQ(pixels->Width(), r.w);
  EXPECT_EQ(pixels->Height(), r.h);
  // A capital stands on the baseline: its picture ends at the ascent line's distance.
  EXPECT_EQ(r.y + r.h, font->Ascend());
  int opaque = 0;
  for (int y = 0; y < r.h; ++y) {
    for (int x = 0; x < r.w; ++x) opaque += *pixels->PixelAddress(x, y) == 255;
  }
  EXPECT_GT(opaque, 20);

  auto space = font->GlyphAt(font->GlyphIndexOf(' '));
  EXPECT_TRUE(space->GlyphPixels().IsNull());
  EXPECT_GT(space->GlyphAdvance(), 5);
}

TEST_F(FreeTypeFontTest, MissingCharactersAndIndicesOutsideTheFont) {
  CORVAX_NEED_TTF();
  auto font = TFreeTypeFont::Load(From8Bit(CORVAX_TEST_TTF), 16, 0);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->GlyphIndexOf(0xE000), -1);  // private use: no glyph
  EXPECT_EQ(font->GlyphIndexOf(-5), -1);
  EXPECT_THROW(font->GlyphAt(-1), TArrayBoundsException);
  EXPECT_THROW(font->GlyphAt(font->GlyphCount()), TArrayBoundsException);
  // The last index names one glyph past the face's own: an empty glyph.
  auto beyond = font->GlyphAt(font->GlyphCount() - 1);
  EXPECT_TRUE(beyond->GlyphPixels().IsNull());
  EXPECT_EQ(beyond->GlyphAdvance(), 0);
  EXPECT_EQ(RectOf(beyond), Rect{});
}

TEST_F(FreeTypeFontTest, SmoothStyleAddsAClearBorder) {
  CORVAX_NEED_TTF();
  auto plain = TFreeTypeFont::Load(From8Bit(CORVAX_TEST_TTF), 24, 0);
  auto smooth = TFreeTypeFont::Load(From8Bit(CORVAX_TEST_TTF), 24, FONT_SMOOTH);
  ASSERT_TRUE(plain && smooth);
  EXPECT_EQ(smooth->FontStyle(), FONT_SMOOTH);
  const int g = plain->GlyphIndexOf('g');
  const Rect p = RectOf(plain->GlyphAt(g));
  const Rect s = RectOf(smooth->GlyphAt(g));
  EXPECT_EQ(s, (Rect{p.x - 1, p.y - 1, p.w + 2, p.h + 2}));
  auto inner = Cast<TPixmap>(plain->GlyphAt(g)->GlyphPixels());
  auto outer = Cast<TPixmap>(smooth->GlyphAt(g)->GlyphPixels());
  ASSERT_TRUE(inner && outer);
  ASSERT_EQ(outer->Width(), s.w);
  for (int y = 0; y < s.h; ++y) {
    for (int x = 0; x < s.w; ++x) {
      const bool border = x == 0 || y == 0 || x == s.w - 1 || y == s.h - 1;
      const int expected = border ? 0 : *inner->PixelAddress(x - 1, y - 1);
      ASSERT_EQ(*outer->PixelAddress(x, y), expected) << x << "," << y;
    }
  }
}

TEST_F(FreeTypeFontTest, EmbeddedFileLoadsFromMemoryLikeThePath) {
  CORVAX_NEED_TTF();
  static const std::vector<char> bytes = ReadFile(CORVAX_TEST_TTF);
  RegisterEmbeddedFile(u"freetype-test.ttf", bytes.data(), static_cast<int>(bytes.size()));
  auto fromMemory = TFreeTypeFont::Load(u"incbin::freetype-test.ttf", 20, 0);
  auto fromFile = TFreeTypeFont::Load(From8Bit(CORVAX_TEST_TTF), 20, 0);
  ASSERT_TRUE(fromMemory && fromFile);
  EXPECT_EQ(fromMemory->FontHeight(), fromFile->FontHeight());
  EXPECT_EQ(fromMemory->GlyphCount(), fromFile->GlyphCount());
  const int w = fromFile->GlyphIndexOf('W');
  EXPECT_EQ(RectOf(fromMemory->GlyphAt(w)), RectOf(fromFile->GlyphAt(w)));
  EXPECT_TRUE(TFreeTypeFont::Load(u"incbin::no-such-font.ttf", 20, 0).IsNull());
}

TEST_F(FreeTypeFontTest, BitmapFontSettlesOnItsSizeAtOrBelowTheRequest) {
  testing::TempDir dir;
  const std::string path = dir / "test.bdf";
  testing::WriteBitmapFont(path);
  for (int size : {16, 20, 1 << 30}) {
    auto font = TFreeTypeFont::Load(From8Bit(path), size, 0);
    ASSERT_TRUE(font) << size;
    EXPECT_EQ(font->FontHeight(), 16);
    EXPECT_EQ(font->Ascend(), 12);
  }
  EXPECT_TRUE(TFreeTypeFont::Load(From8Bit(path), 15, 0).IsNull());
  EXPECT_TRUE(TFreeTypeFont::Load(From8Bit(path), 0, 0).IsNull());
  EXPECT_TRUE(TFreeTypeFont::Load(From8Bit(path), -3, 0).IsNull());
}

TEST_F(FreeTypeFontTest, OneBitGlyphsBecomeFullyOpaqueOrClearPixels) {
  testing::TempDir dir;
  const std::string path = dir / "test.bdf";
  testing::WriteBitmapFont(path);
  auto font = TFreeTypeFont::Load(From8Bit(path), 16, 0);
  ASSERT_TRUE(font);
  auto a = font->GlyphAt(font->GlyphIndexOf('A'));
  EXPECT_EQ(RectOf(a), (Rect{1, 12 - 3, 4, 3}));
  EXPECT_EQ(a->GlyphAdvance(), 8);
  auto pixels = Cast<TPixmap>(a->GlyphPixels());
  ASSERT_TRUE(pixels);
  const char* rows[] = {"1001", "0110", "1111"};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(*pixels->PixelAddress(x, y), rows[y][x] == '1' ? 255 : 0) << x << "," << y;
    }
  }
  auto b = font->GlyphAt(font->GlyphIndexOf('B'));
  EXPECT_TRUE(b->GlyphPixels().IsNull());
  EXPECT_EQ(b->GlyphAdvance(), 8);
}

TEST_F(FreeTypeFontTest, LoaderJoinsTheFontChain) {
  CORVAX_NEED_TTF();
  EXPECT_TRUE(Cast<TFreeTypeFontLoader>(FirstFontLoader()));
  auto source = LoadSourceFontAny(CORVAX_TEST_TTF, 18, 0);
  ASSERT_TRUE(Cast<TFreeTypeFont>(source));
  EXPECT_TRUE(LoadSourceFontAny("", 18, 0).IsNull());
  EXPECT_TRUE(LoadSourceFontAny(nullptr, 18, 0).IsNull());
  TFreeTypeFontLoader loader;
  EXPECT_TRUE(loader.LoadSourceFont(New<TFreeTypeGlyph>(), 18, 0).IsNull());  // not a String

  auto imageFont = TImageFont::LoadImageFont(CORVAX_TEST_TTF, 18, 0);
  ASSERT_TRUE(imageFont);
  EXPECT_EQ(imageFont->FontHeight(), source->FontHeight());
  const int x = imageFont->GlyphIndexOf('x');
  ASSERT_GE(x, 0);
  EXPECT_GT(imageFont->ImageGlyphAt(x)->Advance(), 0);
}

}  // namespace
}  // namespace corvax
