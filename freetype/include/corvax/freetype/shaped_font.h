#pragma once
/// @file
/// @ingroup freetype
/// Text in any script: FreeType fonts shaped through HarfBuzz (ligatures, kerning, Arabic
/// joining, Indic reordering, marks), lines of mixed direction put in order by FriBidi, and a
/// chain of fallback fonts for the characters the first font lacks. Glyphs are rendered once
/// into a texture atlas per font that grows as needed, so a page of CJK costs no more per
/// character than a page of Latin.
/// Call first: LoadShapedFont, then AddFallbackFont for each fallback; draw it like any font
/// (SetTextFont, DrawTextAt, TextWidthOf). Example: examples/shaped_text.cpp.
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include <corvax/freetype/freetype_font.h>
#include <corvax/plex2d/image_font.h>

namespace corvax {

/// Positions in 1/64 pixel, as HarfBuzz and FreeType give them.
inline constexpr int SUBPIXELS_PER_PIXEL = 64;

/// One glyph of shaped text, in the order it is drawn, left to right.
struct ShapedGlyph {
  /// The font it comes from: 0 for the first font, 1 for the first fallback, ...
  int font = 0;
  /// The glyph in that font's face; 0 is the face's missing-glyph box.
  unsigned glyph = 0;
  /// The index in the text (UTF-16 units) of the first character the glyph stands for.
  int cluster = 0;
  /// Pen advance, in 1/64 pixel.
  int xAdvance = 0;
  /// The glyph's offset from the pen to the right, in 1/64 pixel.
  int xOffset = 0;
  /// The glyph's offset from the pen upwards, in 1/64 pixel.
  int yOffset = 0;
};

class GlyphAtlas;
class TextShaper;

/// A FreeType font and its fallbacks, drawing shaped text from glyph atlases. The glyph-index
/// calls it keeps from TImageFont answer for the first font alone.
class TShapedFont : public TImageFont {
 public:
  ~TShapedFont() override;

  /// The line that holds every font of the chain, their baselines matched.
  /// @return Its height in pixels; the first font's FontHeight() while there is no fallback.
  int FontHeight() override;
  /// Shapes the text, puts it in order and draws it, the pen moving along (ix, jx).
  /// @param text One line of text.
  /// @param x The line's top-left corner's x.
  /// @param y Its y.
  /// @param ix The transform's x by glyph x.
  /// @param iy The transform's x by glyph y.
  /// @param jx The transform's y by glyph x.
  /// @param jy The transform's y by glyph y.
  void DrawString(const String& text, float x, float y, float ix, float iy, float jx,
                  float jy) override;
  /// @param text One line of text.
  /// @return The width of the shaped text in whole pixels, rounded to the nearest.
  int TextWidth(const String& text) override;
  /// @param text One line of text.
  /// @return The height of the line that holds the fonts the text takes glyphs from (the first
  /// font always among them), their baselines matched.
  int TextHeight(const String& text) override;

  /// Adds a font at the end of the chain. Its pixel size is its own; give it the first font's.
  /// Throws a runtime error for Null.
  /// @param font The fallback font.
  /// @sa AddFallbackFont
  void AddFallback(const Ref<TFreeTypeFont>& font);
  /// Loads a font at the first font's pixel size and style and adds it at the end of the chain.
  /// @param url The font file, as TFreeTypeFont::Load takes it.
  /// @return False, and the chain as it was, when the url is no font FreeType reads.
  bool AddFallbackFont(const String& url);
  /// @return The fonts, the first font first.
  const std::vector<Ref<TFreeTypeFont>>& Fonts() const { return fonts_; }

  /// Each character comes from the first font of the chain that has it (a mark, from the font
  /// of the character it sits on); one no font has is the first font's missing-glyph box.
  /// @param text One line of text.
  /// @return Its glyphs in the order they are drawn, left to right; valid until the next call
  /// of Shape or AddFallback.
  const std::vector<ShapedGlyph>& Shape(const String& text);

  /// @param url The font file, as TFreeTypeFont::Load takes it.
  /// @param size The pixel size.
  /// @param style Style bits, FONT_SMOOTH among them.
  /// @return The font, without fallbacks; Null when the url is no font FreeType reads.
  static Ref<TShapedFont> LoadShapedFont(const String& url, int size, FontStyleFlags style);

 private:
  TShapedFont(const Ref<TFreeTypeFont>& font, ImageFlags glyphImageFlags);
  // Pixels from the top of the line to the baseline every font of the chain shares.
  int Baseline() const;
  int LineHeightOf(TFreeTypeFont& font) const;

  int size_ = 0;
  std::vector<Ref<TFreeTypeFont>> fonts_;
  // One per font, in the same order; each holds its font's face, so they go first.
  std::vector<std::unique_ptr<GlyphAtlas>> atlases_;
  std::unique_ptr<TextShaper> shaper_;
  // The lines shaped lately.
  std::unordered_map<String, std::vector<ShapedGlyph>> shaped_;
};

/// The first font of a shaped font, with the text font's other calls.
/// @param url The font file.
/// @param size The pixel size.
/// @param style Style bits, FONT_SMOOTH among them.
/// @return The font; Null when the url is no font FreeType reads.
/// @sa TShapedFont::AddFallbackFont, SetTextFont
Ref<TShapedFont> LoadShapedFont(const String& url, int size, FontStyleFlags style);

}  // namespace corvax
