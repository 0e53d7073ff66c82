// The text font's glyph art and the embedded font packed from it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <corvax/graphics/backend/gl_direct_support.h>
#include <corvax/graphics/graphics_module.h>
#include <corvax/stream/stream_module.h>

#include "glyph_art.h"

namespace corvax {
namespace {

std::string ReadArt() {
  std::ifstream input(CORVAX_TEXT_FONT_ART, std::ios::binary);
  std::ostringstream text;
  text << input.rdbuf();
  return text.str();
}

int FontByte(const std::vector<unsigned char>& font, char character, int row) {
  return font[static_cast<std::size_t>(row) * 96 + static_cast<std::size_t>(character - 32)];
}

TEST(TextFont, TheEmbeddedFontIsTheGlyphArtPacked) {
  StartupGLGraphicsModule();
  std::string error;
  const std::vector<unsigned char> font = PackGlyphArt(ReadArt(), error);
  ASSERT_EQ(font.size(), 1536u) << error;
  ASSERT_EQ(EmbeddedFileSize(kGLTextFontName), kGLTextFontSize);
  const auto* embedded = static_cast<const unsigned char*>(EmbeddedFileData(kGLTextFontName));
  EXPECT_TRUE(std::equal(font.begin(), font.end(), embedded));

  // Readable through the stream layer as any embedded file.
  const Ref<TStream> stream = OpenReadStream("incbin::gldrawtextfont.bin");
  ASSERT_TRUE(stream);
  EXPECT_EQ(stream->Length(), 1536);
}

TEST(TextFont, BitsRunLeftToRightAndRowsTopToBottom) {
  std::string error;
  const std::vector<unsigned char> font = PackGlyphArt(ReadArt(), error);
  ASSERT_EQ(font.size(), 1536u) << error;
  for (int row = 0; row < 16; ++row) EXPECT_EQ(FontByte(font, ' ', row), 0);
  EXPECT_EQ(FontByte(font, '_', 14), 0xFF);
  EXPECT_EQ(FontByte(font, 'A', 3), 1 << 3) << "the apex of the A";
  EXPECT_EQ(FontByte(font, 'H', 7), 0x7F) << "the bar of the H";
  EXPECT_EQ(FontByte(font, 'L', 4), 0x06) << "the stem of the L at columns 1 and 2";
  // Every character but the space and DEL's neighbours shows something.
  for (char c = '!'; c < 127; ++c) {
    int lit = 0;
    for (int row = 0; row < 16; ++row) lit |= FontByte(font, c, row);
    EXPECT_NE(lit, 0) << "character " << static_cast<int>(c);
  }
}

// A band of n identical cells, each row drawn with cell.
std::string Band(int start, int cells, const std::string& cell = "#.#.#.#.") {
  std::string band = "band " + std::to_string(start) + "\n";
  for (int row = 0; row < 16; ++row) {
    for (int i = 0; i < cells; ++i) band += (i ? " " : "") + cell;
    band += "\n";
  }
  return band;
}

std::string FirstLines(const std::string& text, int lines) {
  std::size_t end = 0;
  for (int line = 0; line < lines; ++line) end = text.find('\n', end) + 1;
  return text.substr(0, end);
}

TEST(TextFont, BandsMayHaveAnyWidthAndComments) {
  std::string error;
  const std::string art =
      "; comment\n" + Band(32, 90) + "\n" + Band(122, 6, "##......") + "; end\n";
  const std::vector<unsigned char> font = PackGlyphArt(art, error);
  ASSERT_EQ(font.size(), 1536u) << error;
  EXPECT_EQ(font[0], 0x55);
  EXPECT_EQ(font[95], 0x03);
  std::string crlf = art;
  for (std::size_t at = 0; (at = crlf.find('\n', at)) != std::string::npos; at += 2) {
    crlf.insert(at, "\r");
  }
  EXPECT_EQ(PackGlyphArt(crlf, error), font);
}

TEST(TextFont, MalformedArtIsRefusedWithTheLine) {
  const std::string good = Band(32, 96);
  struct Case {
    std::string art;
    std::string message;
  };
  std::string shortRow = good;
  shortRow.replace(shortRow.find("#.#.#.#. #"), 10, "#.#.#.#.#");
  std::string badPixel = good;
  badPixel[good.find('\n') + 1] = 'x';
  const std::vector<Case> cases = {
      {"", "characters from 32 on are missing"},
      {"#.#.#.#.\n", "line 1: expected \"band 32\""},
      {Band(33, 95), "line 1: band should start at 32"},
      {Band(32, 90) + Band(123, 5), "band should start at 122"},
      {Band(32, 97), "line 2: band runs past character 127"},
      {FirstLines(Band(32, 96), 5), "band ends before its 16 rows"},
      {Band(32, 48), "characters from 80 on are missing"},
      {shortRow, "line 2: a row is cells"},
      {badPixel, "line 2: a row is cells"},
      {Band(32, 48) + Band(80, 48) + Band(128, 1), "line 36: band runs past character 127"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_TRUE(PackGlyphArt(c.art, error).empty()) << c.message;
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
  }
  std::string error;
  std::string uneven = Band(32, 48);
  uneven.insert(FirstLines(uneven, 3).size() - 1, " ........");
  EXPECT_TRUE(PackGlyphArt(uneven, error).empty());
  EXPECT_NE(error.find("line 3: every row of a band"), std::string::npos) << error;
}

}  // namespace
}  // namespace corvax
