// Glyphs drawn from atlases, through a 2D driver that logs what it is asked to draw.
#include <gtest/gtest.h>

#include <algorithm>

#include <corvax/plex2d/draw.h>
#include <corvax/plex2d/plex2d_graphics.h>
#include "recording_graphics_test.h"
#include "shaping_fonts.h"

namespace corvax {
namespace {

using namespace corvax::testing;

class GlyphAtlasTest : public RecordingGraphicsTest {
 protected:
  void SetUp() override {
    StartupFreeTypeModule();
    RecordingGraphicsTest::SetUp();
  }
  void TearDown() override {
    SetTextFont(nullptr);
    RecordingGraphicsTest::TearDown();
  }
  int Count(const std::string& call) {
    return static_cast<int>(std::count_if(Log().begin(), Log().end(), [&](const std::string& line) {
      return line.rfind(call + " ", 0) == 0;
    }));
  }
};

TEST_F(GlyphAtlasTest, LineOfLatinIsOneTextureMadeOnceAndOneQuadPerGlyph) {
  CORVAX_NEED_FONT(kLatinFont);
  const Ref<TShapedFont> font = LoadShapedFont(From8Bit(kLatinFont), 32, 0);
  ASSERT_TRUE(font);
  SetTextFont(font);
  DrawTextAt(u"Hello, world", 10, 20);
  EXPECT_EQ(Count("MakeImageFrame"), 1);
  // One batch of eleven glyphs with pixels; the space has none.
  EXPECT_EQ(Count("RenderFrameParts"), 1);
  EXPECT_EQ(Count("Part"), 11);
  DrawTextAt(u"Hello, world", 10, 60);
  EXPECT_EQ(Count("MakeImageFrame"), 1) << "drawn again from the same texture";
  EXPECT_EQ(Count("RenderFrameParts"), 2);
  EXPECT_EQ(Count("Part"), 22);
}

TEST_F(GlyphAtlasTest, GlyphsArePlacedAlongThePenFromTheTopOfTheLine) {
  CORVAX_NEED_FONT(kLatinFont);
  const Ref<TShapedFont> font = LoadShapedFont(From8Bit(kLatinFont), 32, 0);
  ASSERT_TRUE(font);
  const Ref<TFreeTypeFont> face = font->Fonts()[0];
  SetTextFont(font);
  DrawTextAt(u"ll", 100, 50);
  // Both l's have the picture of the unshaped font's l, one advance apart.
  const Ref<TGlyph> l = face->GlyphAt(face->GlyphIndexOf('l'));
  int x = 0, y = 0, w = 0, h = 0;
  l->GlyphRect(x, y, w, h);
  const std::vector<ShapedGlyph> glyphs = font->Shape(u"ll");
  ASSERT_EQ(glyphs.size(), 2u);
  std::vector<std::string> quads;
  for (const std::string& line : Log()) {
    if (line.rfind("Part ", 0) == 0) quads.push_back(line);
  }
  ASSERT_EQ(quads.size(), 2u);
  const int second = x + (glyphs[0].xAdvance + 32) / 64;
  EXPECT_NE(quads[0].find(Call("", 0, 0, w, h, 100 + x, 50 + y)), std::string::npos) << quads[0];
  EXPECT_NE(quads[1].find(Call("", 0, 0, w, h, 100 + second, 50 + y)), std::string::npos)
      << quads[1];
}

TEST_F(GlyphAtlasTest, PageOfCjkGrowsOneAtlasInsteadOfTextures) {
  CORVAX_NEED_FONT(kCjkFont);
  const Ref<TShapedFont> font = LoadShapedFont(From8Bit(kCjkFont), 24, 0);
  ASSERT_TRUE(font);
  SetTextFont(font);
  // 1,000 different ideographs: more than the first page holds.
  String page;
  for (char16_t c = 0x4E00; c < 0x4E00 + 1000; ++c) page += c;
  DrawTextAt(page, 0, 0);
  const int textures = Count("MakeImageFrame");
  EXPECT_GE(textures, 1);
  EXPECT_LE(textures, 2);
  EXPECT_EQ(Count("Part"), 1000);
  EXPECT_EQ(Count("RenderFrameParts"), textures) << "one batch per page";
  DrawTextAt(page, 0, 40);
  EXPECT_EQ(Count("MakeImageFrame"), textures) << "every glyph was rendered once";
}

}  // namespace
}  // namespace corvax
