#include "glyph_art.h"

#include <charconv>
#include <optional>

namespace corvax {
namespace {

std::string_view WithoutComment(std::string_view line) {
  line = line.substr(0, line.find(';'));
  while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\t')) {
    line.remove_suffix(1);
  }
  return line;
}

// The first character of a "band N" line; nothing for any other line.
std::optional<int> BandStart(std::string_view line) {
  constexpr std::string_view kBand = "band ";
  if (line.substr(0, kBand.size()) != kBand) return std::nullopt;
  const std::string_view number = line.substr(kBand.size());
  int value = 0;
  const auto [end, failure] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (failure != std::errc() || end != number.data() + number.size()) return std::nullopt;
  return value;
}

// The cells of one row as bit patterns; nothing when the row is malformed.
std::optional<std::vector<unsigned char>> RowCells(std::string_view row) {
  std::vector<unsigned char> cells;
  for (std::size_t at = 0;; at += kGlyphArtColumns + 1) {
    if (row.size() < at + kGlyphArtColumns) return std::nullopt;
    unsigned char bits = 0;
    for (int column = 0; column < kGlyphArtColumns; ++column) {
      const char pixel = row[at + static_cast<std::size_t>(column)];
      if (pixel == '#') {
        bits = static_cast<unsigned char>(bits | (1u << column));
      } else if (pixel != '.') {
        return std::nullopt;
      }
    }
    cells.push_back(bits);
    if (row.size() == at + kGlyphArtColumns) return cells;
    if (row[at + kGlyphArtColumns] != ' ') return std::nullopt;
  }
}

}  // namespace

std::vector<unsigned char> PackGlyphArt(std::string_view text, std::string& error) {
  std::vector<unsigned char> font(kGlyphArtRows * kGlyphArtChars, 0);
  int nextChar = kGlyphArtFirstChar;
  int bandRow = kGlyphArtRows;  // rows read of the current band; none open yet
  int bandWidth = 0;
  int lineNumber = 0;
  const auto fail = [&](const std::string& message) {
    error = "line " + std::to_string(lineNumber) + ": " + message;
    return std::vector<unsigned char>();
  };
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = WithoutComment(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (line.empty()) continue;
    if (bandRow == kGlyphArtRows) {
      const std::optional<int> start = BandStart(line);
      if (!start) return fail("expected \"band " + std::to_string(nextChar) + "\"");
      if (*start != nextChar) return fail("band should start at " + std::to_string(nextChar));
      bandRow = 0;
      bandWidth = 0;
      continue;
    }
    const std::optional<std::vector<unsigned char>> cells = RowCells(line);
    if (!cells) return fail("a row is cells of 8 '#' or '.' separated by single spaces");
    const int width = static_cast<int>(cells->size());
    if (bandRow == 0) {
      if (nextChar + width > kGlyphArtFirstChar + kGlyphArtChars) {
        return fail("band runs past character 127");
      }
      bandWidth = width;
    } else if (width != bandWidth) {
      return fail("every row of a band has the same number of cells");
    }
    for (int cell = 0; cell < width; ++cell) {
      const int index = nextChar - kGlyphArtFirstChar + cell;
      font[static_cast<std::size_t>(bandRow * kGlyphArtChars + index)] =
          (*cells)[static_cast<std::size_t>(cell)];
    }
    if (++bandRow == kGlyphArtRows) nextChar += bandWidth;
  }
  if (bandRow != kGlyphArtRows) return fail("band ends before its 16 rows");
  if (nextChar != kGlyphArtFirstChar + kGlyphArtChars) {
    return fail("characters from " + std::to_string(nextChar) + " on are missing");
  }
  return font;
}

}  // namespace corvax
