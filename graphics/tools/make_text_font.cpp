// Build tool: packs the text font's glyph art into the binary file the module embeds.
//   make_text_font <glyph art> <output>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "glyph_art.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <glyph art> <output>\n", argv[0]);
    return 2;
  }
  std::ifstream input(argv[1], std::ios::binary);
  if (!input) {
    std::fprintf(stderr, "%s: cannot read\n", argv[1]);
    return 1;
  }
  std::ostringstream text;
  text << input.rdbuf();
  std::string error;
  const std::vector<unsigned char> font = corvax::PackGlyphArt(text.str(), error);
  if (font.empty()) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::ofstream output(argv[2], std::ios::binary | std::ios::trunc);
  output.write(reinterpret_cast<const char*>(font.data()),
               static_cast<std::streamsize>(font.size()));
  output.close();
  if (!output) {
    std::fprintf(stderr, "%s: cannot write\n", argv[2]);
    return 1;
  }
  return 0;
}
