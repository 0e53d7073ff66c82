// Font files that lie or end early: a clear Null, or glyphs that are merely empty, never a crash.
#include <gtest/gtest.h>

#include <temp_dir.h>

#include <corvax/stream/embedded_files.h>
#include "test_fonts.h"

namespace corvax {
namespace {

using testing::ReadFile;
using testing::WriteFile;

// Whatever loads must answer for every glyph of the text without failing.
void UseFont(const Ref<TFreeTypeFont>& font) {
  if (!font) return;
  for (char c : std::string("AaWg@ 1")) {
    const int index = font->GlyphIndexOf(c);
    if (index < 0 || index >= font->GlyphCount()) continue;
    auto glyph = font->GlyphAt(index);
    int x, y, w, h;
    glyph->GlyphRect(x, y, w, h);
  }
}

TEST(FreeTypeHostile, GarbageAndEmptyFilesGiveNull) {
  StartupFreeTypeModule();
  testing::TempDir dir;
  WriteFile(dir / "empty.ttf", "", 0);
  std::string garbage(5000, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 7919 >> 3);
  WriteFile(dir / "garbage.ttf", garbage.data(), garbage.size());
  // A TrueType header that promises tables the file does not hold.
  const char lying[] = "\x00\x01\x00\x00\x00\x40\x00\x00\x00\x00\x00\x00";
  WriteFile(dir / "lying.ttf", lying, sizeof lying - 1);
  for (const char* name : {"empty.ttf", "garbage.ttf", "lying.ttf", "absent.ttf"}) {
    EXPECT_TRUE(TFreeTypeFont::Load(From8Bit(dir / name), 16, 0).IsNull()) << name;
  }
  EXPECT_TRUE(TFreeTypeFont::Load(From8Bit(dir.path().string()), 16, 0).IsNull());  // a folder

  static const char none = 0;
  RegisterEmbeddedFile(u"hostile-empty.ttf", &none, 0);
  EXPECT_TRUE(TFreeTypeFont::Load(u"incbin::hostile-empty.ttf", 16, 0).IsNull());
  static const std::string kept = garbage;
  RegisterEmbeddedFile(u"hostile-garbage.ttf", kept.data(), static_cast<int>(kept.size()));
  EXPECT_TRUE(TFreeTypeFont::Load(u"incbin::hostile-garbage.ttf", 16, 0).IsNull());
}

TEST(FreeTypeHostile, TruncatedFontsGiveNullOrEmptyGlyphs) {
  CORVAX_NEED_TTF();
  StartupFreeTypeModule();
  const std::vector<char> whole = ReadFile(CORVAX_TEST_TTF);
  testing::TempDir dir;
  for (std::size_t length : {std::size_t{12}, std::size_t{200}, std::size_t{4096}, whole.size() / 3,
                             whole.size() / 2, whole.size() - 1000}) {
    const std::string path = dir / ("cut" + std::to_string(length) + ".ttf");
    WriteFile(path, whole.data(), length);
    UseFont(TFreeTypeFont::Load(From8Bit(path), 24, 0));
    UseFont(TFreeTypeFont::Load(From8Bit(path), 24, 4));
  }
}

TEST(FreeTypeHostile, DamagedBytesInsideAFontNeverCrash) {
  CORVAX_NEED_TTF();
  StartupFreeTypeModule();
  std::vector<char> bytes = ReadFile(CORVAX_TEST_TTF);
  testing::TempDir dir;
  unsigned seed = 12345;
  for (int round = 0; round < 8; ++round) {
    std::vector<char> damaged = bytes;
    for (int i = 0; i < 200; ++i) {
      seed = seed * 1103515245u + 12345u;
      damaged[(seed >> 8) % damaged.size()] = static_cast<char>(seed >> 24);
    }
    const std::string path = dir / ("damaged" + std::to_string(round) + ".ttf");
    WriteFile(path, damaged.data(), damaged.size());
    UseFont(TFreeTypeFont::Load(From8Bit(path), 20, 0));
  }
}

TEST(FreeTypeHostile, AGlyphThatClaimsASizeButHasNoBitsIsEmpty) {
  StartupFreeTypeModule();
  // The test bitmap font with damaged bytes: "A" promises a 4 x 3 picture whose bitmap never
  // starts, so FreeType gives it a size but no bits (found by fuzzing).
  const std::string font(
      "STARTFONT 2.1\n"
      "FONT -corvax-test-medium-r-normal--16-160-75-75-c-80-iso10646-1\n"
      "SIZE 16 75 75\n"
      "FONTBOUNDINGBOX 8 16 0 -4\n"
      "STARTPROPERTIES 4\n"
      "PIXEL_SIZE 16Type 1ASCENT 12\n"
      "FONT_DESCENT 4\n"
      "DEFAULT_CHAR 65\n"
      "ENDPROPERTIES\n"
      "CHARS 2\n"
      "STARTCHAR A\n"
      "ENCODING 65\n"
      "SWIDTH 500 0\n"
      "DWIDTH 8 0\n"
      "BBX 4 3 1 \xd0"
      "\xfc"
      "BITMAType\x00"
      " \xff"
      "\xc0"
      "1\xff"
      "\x01"
      "\x00"
      "\x00"
      "\x00"
      "\x00"
      "\x00"
      "\x01"
      "\x00"
      "d\x00"
      "\x00"
      "\x02"
      "X\x02"
      "\xbc"
      "\x00"
      "AR B\n"
      "ENCODING 66\n"
      "SWIDTH 500 0\n"
      "DWIDTH 8 0\n"
      "BBX 0 0 0 0\n"
      "BITMAP\n"
      "ENDCHAR\n"
      "ENDFONT\n",
      385);
  testing::TempDir dir;
  WriteFile(dir / "hollow.bdf", font.data(), font.size());
  const Ref<TFreeTypeFont> loaded = TFreeTypeFont::Load(From8Bit(dir / "hollow.bdf"), 16, 0);
  ASSERT_TRUE(loaded);
  const Ref<TGlyph> glyph = loaded->GlyphAt(loaded->GlyphIndexOf('A'));
  int x, y, w, h;
  glyph->GlyphRect(x, y, w, h);
  EXPECT_TRUE(glyph->GlyphPixels().IsNull());
  EXPECT_EQ(w * h, 0);
  UseFont(loaded);
}

TEST(FreeTypeHostile, AnOutlineFarLargerThanTheSizeHasNoPicture) {
  StartupFreeTypeModule();
  // A 348-byte TrueType font with 32 units per em whose second glyph reaches 13,000 pixels at
  // size 16: FreeType would spend a fifth of a second and 66 MB drawing it (found by fuzzing).
  static const unsigned char font[] = {
      0x00, 0x01, 0x00, 0x00, 0x00, 0x07, 0x00, 0x40, 0x00, 0x02, 0x00, 0x30, 0x63, 0x6d, 0x61,
      0x70, 0x00, 0x0c, 0x00, 0x74, 0x00, 0x10, 0x00, 0x7c, 0x00, 0x00, 0x00, 0x2c, 0x67, 0x6c,
      0x79, 0x66, 0x42, 0xc2, 0xe8, 0xbe, 0x00, 0x00, 0x00, 0xa8, 0x00, 0x00, 0x00, 0x28, 0x68,
      0x65, 0x61, 0x64, 0x61, 0xda, 0x43, 0xa1, 0x00, 0x00, 0x00, 0xd0, 0x00, 0x00, 0x00, 0x36,
      0x68, 0x68, 0x65, 0x61, 0x05, 0x7a, 0x02, 0x5b, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00, 0x00,
      0x24, 0x68, 0x6d, 0x74, 0x78, 0x04, 0xb0, 0x00, 0x64, 0x00, 0x00, 0x00, 0x01, 0x2c, 0x00,
      0x00, 0x08, 0x6c, 0x6f, 0x63, 0x61, 0x00, 0x14, 0x00, 0x00, 0x00, 0x00, 0x01, 0x34, 0x00,
      0x00, 0x00, 0x06, 0x6d, 0x61, 0x78, 0x70, 0x00, 0x04, 0x00, 0x07, 0x00, 0x00, 0x01, 0x3c,
      0x00, 0x00, 0x00, 0x20, 0x00, 0x00, 0x00, 0x01, 0x00, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00,
      0x0c, 0x00, 0x04, 0x00, 0x20, 0x00, 0x00, 0x00, 0x04, 0x00, 0x04, 0x00, 0x01, 0x00, 0x00,
      0x00, 0x41, 0xff, 0xff, 0x00, 0x00, 0x00, 0x41, 0xff, 0xff, 0xff, 0xc0, 0x00, 0x01, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x64, 0x00, 0x00, 0x02, 0x58, 0x02, 0xbc, 0x00, 0x04,
      0x00, 0x00, 0x01, 0x01, 0x01, 0x01, 0x01, 0x00, 0x64, 0x04, 0x00, 0x20, 0x00, 0x00, 0x00,
      0x04, 0x00, 0x04, 0x00, 0x9a, 0x41, 0x00, 0x00, 0x07, 0x00, 0x00, 0x01, 0x3c, 0x00, 0x00,
      0x00, 0x20, 0x00, 0x00, 0x00, 0x01, 0x00, 0x03, 0x00, 0x01, 0x00, 0x00, 0x00, 0x0c, 0x00,
      0x04, 0x00, 0x20, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x64, 0x00, 0x00, 0x02, 0x58, 0x02, 0xbc, 0x00, 0x00, 0x00,
      0x08, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x03, 0x20,
      0xff, 0x38, 0x00, 0x00, 0x02, 0xbc, 0x00, 0x00, 0x00, 0x64, 0x02, 0x58, 0x00, 0x01, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02,
      0x01, 0xf4, 0x00, 0x00, 0x02, 0xbc, 0x00, 0x64, 0x00, 0x00, 0x00, 0x00, 0x00, 0x14, 0x00,
      0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x02, 0x00, 0x05, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00};
  testing::TempDir dir;
  WriteFile(dir / "giant.ttf", reinterpret_cast<const char*>(font), sizeof font);
  const Ref<TFreeTypeFont> loaded = TFreeTypeFont::Load(From8Bit(dir / "giant.ttf"), 16, 0);
  ASSERT_TRUE(loaded);
  ASSERT_GE(loaded->GlyphCount(), 1);
  const Ref<TGlyph> glyph = loaded->GlyphAt(0);
  int x, y, w, h;
  glyph->GlyphRect(x, y, w, h);
  EXPECT_TRUE(glyph->GlyphPixels().IsNull());
  EXPECT_EQ(w * h, 0);
}

}  // namespace
}  // namespace corvax
