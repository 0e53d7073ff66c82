#pragma once
// Reads the text font's glyph art: bands of character cells drawn with '#' (lit) and '.'
// (dark), and packs them into the font's binary layout.
#include <string>
#include <string_view>
#include <vector>

namespace corvax {

inline constexpr int kGlyphArtFirstChar = 32;
inline constexpr int kGlyphArtChars = 96;
inline constexpr int kGlyphArtRows = 16;
inline constexpr int kGlyphArtColumns = 8;

// Blank lines and text after ';' are ignored. "band N" starts a band whose cells are the
// characters N, N + 1, ...; its 16 rows follow, each with the same number of 8-column cells
// separated by single spaces. Bands must cover 32 to 127 in order.
//
// The result is 16 rows of 96 bytes: byte j of row i is row i of character 32 + j, bit k
// being pixel column k (leftmost first). Empty, with a message naming the line, on bad input.
std::vector<unsigned char> PackGlyphArt(std::string_view text, std::string& error);

}  // namespace corvax
