#pragma once
// Fonts for the tests: a TrueType font from the system (tests skip without it), and a bitmap
// font of one 16-pixel size that the tests write themselves.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include <corvax/freetype/freetype_module.h>

namespace corvax::testing {

inline std::vector<char> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const void* data, std::size_t size) {
  std::ofstream(path, std::ios::binary)
      .write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

#define CORVAX_NEED_TTF()              \
  if (!std::ifstream(CORVAX_TEST_TTF)) \
  GTEST_SKIP() << CORVAX_TEST_TTF      \
      " missing "                      \
      "(Debian fonts-dejavu-core)"

// "A" is a 4 x 3 picture (rows 1001, 0110, 1111) standing on the baseline at x 1; "B" has no
// picture.
inline const char* kBitmapFont = R"(STARTFONT 2.1
FONT -corvax-test-medium-r-normal--16-160-75-75-c-80-iso10646-1
SIZE 16 75 75
FONTBOUNDINGBOX 8 16 0 -4
STARTPROPERTIES 4
PIXEL_SIZE 16
FONT_ASCENT 12
FONT_DESCENT 4
DEFAULT_CHAR 65
ENDPROPERTIES
CHARS 2
STARTCHAR A
ENCODING 65
SWIDTH 500 0
DWIDTH 8 0
BBX 4 3 1 0
BITMAP
90
60
F0
ENDCHAR
STARTCHAR B
ENCODING 66
SWIDTH 500 0
DWIDTH 8 0
BBX 0 0 0 0
BITMAP
ENDCHAR
ENDFONT
)";

inline void WriteBitmapFont(const std::string& path) {
  WriteFile(path, kBitmapFont, std::string_view(kBitmapFont).size());
}

}  // namespace corvax::testing
