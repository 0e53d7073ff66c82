// Shaping against HarfBuzz's own hb-shape, recorded at build time for the same fonts and
// size; line order for mixed directions; the fallback chain.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <corvax/runtime/exceptions.h>
#include "shaping_fonts.h"

namespace corvax {
namespace {

using namespace corvax::testing;

constexpr int kPixels = 32;

struct Case {
  std::string font;
  std::string text;
};

// name -> font and text, from the cases hb-shape was run on.
std::map<std::string, Case> Cases() {
  std::map<std::string, Case> cases;
  std::ifstream file(CORVAX_SHAPING_CASES);
  for (std::string line; std::getline(file, line);) {
    std::istringstream fields(line);
    std::string name;
    Case c;
    std::getline(fields, name, '\t');
    std::getline(fields, c.font, '\t');
    std::getline(fields, c.text);
    cases[name] = c;
  }
  return cases;
}

// name -> hb-shape's glyphs: "[gid=cluster@dx,dy+advance|...]".
std::map<std::string, std::string> Recorded() {
  std::map<std::string, std::string> recorded;
  std::ifstream file(CORVAX_HB_SHAPE_RECORDED);
  for (std::string line; std::getline(file, line);) {
    const auto tab = line.find('\t');
    recorded[line.substr(0, tab)] = line.substr(tab + 1);
  }
  return recorded;
}

// Our glyphs in hb-shape's notation, offsets left out when they are both 0 as it does.
std::string InHbShapeNotation(const std::vector<ShapedGlyph>& glyphs) {
  std::string text = "[";
  for (const ShapedGlyph& g : glyphs) {
    if (text.size() > 1) text += "|";
    text += std::to_string(g.glyph) + "=" + std::to_string(g.cluster);
    if (g.xOffset != 0 || g.yOffset != 0) {
      text += "@" + std::to_string(g.xOffset) + "," + std::to_string(g.yOffset);
    }
    text += "+" + std::to_string(g.xAdvance);
  }
  return text + "]";
}

class ShapingTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override { StartupFreeTypeModule(); }
};

TEST_P(ShapingTest, GlyphsAndPositionsEqualHbShape) {
  const Case c = Cases().at(GetParam());
  CORVAX_NEED_FONT(c.font.c_str());
  const Ref<TShapedFont> font = LoadShapedFont(From8Bit(c.font), kPixels, 0);
  ASSERT_TRUE(font);
  EXPECT_EQ(InHbShapeNotation(font->Shape(FromUtf8(c.text))), Recorded().at(GetParam()));
}

// Arabic joining and marks, Devanagari reordering and conjuncts, Latin ligatures and kerning.
INSTANTIATE_TEST_SUITE_P(Scripts, ShapingTest,
                         ::testing::Values("arabic", "devanagari", "ligature"));

class ShapedFontTest : public ::testing::Test {
 protected:
  void SetUp() override { StartupFreeTypeModule(); }
};

std::vector<int> Clusters(const std::vector<ShapedGlyph>& glyphs) {
  std::vector<int> clusters;
  for (const ShapedGlyph& g : glyphs) clusters.push_back(g.cluster);
  return clusters;
}

TEST_F(ShapedFontTest, RightToLeftWordsSitInReverseInsideLeftToRightLine) {
  CORVAX_NEED_FONT(kLatinFont);
  const Ref<TShapedFont> font = LoadShapedFont(From8Bit(kLatinFont), kPixels, 0);
  ASSERT_TRUE(font);
  // "ab", a space, Hebrew alef bet gimel, a space, "cd": the Hebrew is drawn right to left.
  EXPECT_EQ(Clusters(font->Shape(u"ab \u05D0\u05D1\u05D2 cd")),
            (std::vector<int>{0, 1, 2, 5, 4, 3, 6, 7, 8}));
}

TEST_F(ShapedFontTest, LeftToRightNumberStaysInOrderInsideRightToLeftLine) {
  CORVAX_NEED_FONT(kLatinFont);
  const Ref<TShapedFont> font = LoadShapedFont(From8Bit(kLatinFont), kPixels, 0);
  ASSERT_TRUE(font);
  // Hebrew alef, a space, 12, a space, bet: a right-to-left paragraph with a number in it.
  EXPECT_EQ(Clusters(font->Shape(u"\u05D0 12 \u05D1")), (std::vector<int>{5, 4, 2, 3, 1, 0}));
}

TEST_F(ShapedFontTest, FallbackDrawsEveryCharacterOfMixedLine) {
  CORVAX_NEED_FONT(kSerifFont);
  CORVAX_NEED_FONT(kCjkFont);
  CORVAX_NEED_FONT(kArabicFont);
  CORVAX_NEED_FONT(kEmojiFont);
  const Ref<TShapedFont> font = ChainOfFonts();
  ASSERT_TRUE(font);
  // Latin, CJK, Arabic and an emoji (U+1F600, a surrogate pair).
  const String line = u"Hi \u4F60\u597D \u0645\u0631\u062D\u0628\u0627 \U0001F600";
  const std::vector<ShapedGlyph> glyphs = font->Shape(line);
  std::map<int, int> fontOfCluster;
  for (const ShapedGlyph& g : glyphs) {
    EXPECT_NE(g.glyph, 0u) << "character " << g.cluster << " drawn as the missing-glyph box";
    fontOfCluster[g.cluster] = g.font;
  }
  const std::map<int, int> expected = {{0, 0}, {1, 0}, {2, 0}, {3, 1},  {4, 1},  {5, 0}, {6, 2},
                                       {7, 2}, {8, 2}, {9, 2}, {10, 2}, {11, 0}, {12, 3}};
  EXPECT_EQ(fontOfCluster, expected);
}

TEST_F(ShapedFontTest, FallbackAddedAfterShapingServesTheSameTextNext) {
  CORVAX_NEED_FONT(kSerifFont);
  CORVAX_NEED_FONT(kCjkFont);
  const Ref<TShapedFont> font = LoadShapedFont(From8Bit(kSerifFont), kPixels, 0);
  ASSERT_TRUE(font);
  ASSERT_EQ(font->Shape(u"\u4F60").at(0).glyph, 0u);
  ASSERT_TRUE(font->AddFallbackFont(From8Bit(kCjkFont)));
  EXPECT_EQ(font->Shape(u"\u4F60").at(0).font, 1);
  EXPECT_NE(font->Shape(u"\u4F60").at(0).glyph, 0u);
}

TEST_F(ShapedFontTest, CharacterNoFontHasIsFirstFontsMissingGlyphBox) {
  CORVAX_NEED_FONT(kLatinFont);
  const Ref<TShapedFont> font = LoadShapedFont(From8Bit(kLatinFont), kPixels, 0);
  ASSERT_TRUE(font);
  // A private-use character: no font has it.
  const std::vector<ShapedGlyph> glyphs = font->Shape(u"a\uE000b");
  ASSERT_EQ(glyphs.size(), 3u);
  EXPECT_EQ(glyphs[1].font, 0);
  EXPECT_EQ(glyphs[1].glyph, 0u);
  EXPECT_GT(glyphs[1].xAdvance, 0) << "the box takes room, it is not left out";
}

TEST_F(ShapedFontTest, WidthIsThatOfShapedGlyphs) {
  CORVAX_NEED_FONT(kLatinFont);
  const Ref<TShapedFont> font = LoadShapedFont(From8Bit(kLatinFont), kPixels, 0);
  ASSERT_TRUE(font);
  int advances = 0;
  for (const ShapedGlyph& g : font->Shape(u"AVATAR office")) advances += g.xAdvance;
  EXPECT_EQ(font->TextWidth(u"AVATAR office"), (advances + 32) / 64);
  // Kerning pulls A and V together: less than the letters' advances one by one.
  EXPECT_LT(font->TextWidth(u"AV"), font->TextWidth(u"A") + font->TextWidth(u"V"));
  EXPECT_EQ(font->TextWidth(u""), 0);
}

TEST_F(ShapedFontTest, HeightHoldsTheFontsTheTextTakes) {
  CORVAX_NEED_FONT(kSerifFont);
  CORVAX_NEED_FONT(kCjkFont);
  CORVAX_NEED_FONT(kArabicFont);
  CORVAX_NEED_FONT(kEmojiFont);
  const Ref<TShapedFont> alone = LoadShapedFont(From8Bit(kSerifFont), kPixels, 0);
  const Ref<TShapedFont> chain = ChainOfFonts();
  ASSERT_TRUE(alone && chain);
  EXPECT_EQ(alone->FontHeight(), alone->Fonts()[0]->FontHeight());
  EXPECT_EQ(alone->TextHeight(u"Hi"), alone->FontHeight());
  // Amiri reaches far above and below Latin: a line with Arabic in it is taller.
  EXPECT_GT(chain->TextHeight(u"Hi \u0645\u0631\u062D\u0628\u0627"), chain->TextHeight(u"Hi"));
  EXPECT_GE(chain->FontHeight(), chain->TextHeight(u"Hi \u0645\u0631\u062D\u0628\u0627"));
}

TEST_F(ShapedFontTest, FallbackThatIsNoFontLeavesChainAsItWas) {
  CORVAX_NEED_FONT(kLatinFont);
  const Ref<TShapedFont> font = LoadShapedFont(From8Bit(kLatinFont), kPixels, 0);
  ASSERT_TRUE(font);
  EXPECT_FALSE(font->AddFallbackFont(u"/no/such/font.ttf"));
  EXPECT_EQ(font->Fonts().size(), 1u);
  EXPECT_FALSE(LoadShapedFont(u"/no/such/font.ttf", kPixels, 0));
  EXPECT_THROW(font->AddFallback(nullptr), TRuntimeException);
  EXPECT_EQ(font->Fonts().size(), 1u);
}

TEST_F(ShapedFontTest, MalformedAndHostileTextShapesWithoutFault) {
  CORVAX_NEED_FONT(kLatinFont);
  const Ref<TShapedFont> font = LoadShapedFont(From8Bit(kLatinFont), kPixels, 0);
  ASSERT_TRUE(font);
  // A lone high and a lone low surrogate: each stands for one character of its own.
  const std::vector<ShapedGlyph> lone =
      font->Shape(String(u"a") + char16_t{0xD800} + u"b" + char16_t{0xDC00});
  EXPECT_EQ(Clusters(lone), (std::vector<int>{0, 1, 2, 3}));
  // A mark with nothing under it, a NUL, and embeddings nested far past the deepest level.
  String nested;
  for (int i = 0; i < 500; ++i) nested += i % 2 ? u"\u202B" : u"\u202A";
  nested += u"\u05D0x";
  for (int i = 0; i < 500; ++i) nested += u"\u202C";
  for (const String& text : {String(u"\u0301a"), String(u"a\0b", 3), nested}) {
    const std::vector<ShapedGlyph> glyphs = font->Shape(text);
    for (const ShapedGlyph& g : glyphs) {
      EXPECT_GE(g.cluster, 0);
      EXPECT_LT(g.cluster, static_cast<int>(text.size()));
    }
  }
  EXPECT_TRUE(font->Shape(u"").empty());
}

}  // namespace
}  // namespace corvax
