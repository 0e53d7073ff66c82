#pragma once
/// @file
/// @ingroup plex2d
/// Fonts drawn as images: one small image per glyph, made the first time the glyph is needed.
/// Either over a loader's source font, or the built-in 8 x 16 font of characters 32-127.
/// Call first: LoadImageFont (draw.h) with a font file, or DefaultFont; then SetTextFont and
/// DrawTextAt. Example: examples/text.cpp.
#include <corvax/plex2d/font.h>
#include <corvax/plex2d/image.h>
#include <corvax/runtime/array.h>

namespace corvax {

/// Font style bits, FONT_ constants combined with |; a font loader may define more.
using FontStyleFlags = int;
/// Style bit asking for filtered, mipmapped glyph images.
inline constexpr FontStyleFlags FONT_SMOOTH = 4;

/// One glyph of an image font: its picture as an image, and its metrics.
class TImageGlyph : public Object {
 public:
  /// A glyph of these parts.
  /// @param image Its picture; Null for a glyph without pixels.
  /// @param advance Pen advance in pixels.
  /// @param x The picture's x offset from the pen position, in pixels.
  /// @param y The picture's y offset from the pen position.
  /// @param width The picture's width.
  /// @param height The picture's height.
  TImageGlyph(Ref<TImage> image, float advance, int x, int y, int width, int height)
      : image_(std::move(image)), advance_(advance), x_(x), y_(y), width_(width), height_(height) {}

  /// @return The glyph's picture; Null for a glyph without pixels.
  const Ref<TImage>& Image() const { return image_; }
  /// @return Pen advance in pixels.
  float Advance() const { return advance_; }
  /// The picture's offset from the pen position, and its size, in pixels.
  /// @param[out] x The x offset.
  /// @param[out] y The y offset.
  /// @param[out] width The width.
  /// @param[out] height The height.
  void Rect(int& x, int& y, int& width, int& height) const {
    x = x_;
    y = y_;
    width = width_;
    height = height_;
  }

 private:
  Ref<TImage> image_;
  float advance_;
  int x_;
  int y_;
  int width_;
  int height_;
};

/// A font whose glyphs are images, drawn by the 2D renderer: over a loaded source font, or the
/// built-in 8 x 16 font.
class TImageFont : public Object {
 public:
  /// @return The source font's style, or 0 for the built-in font.
  virtual int FontStyle();
  /// @return The source font's line height, or 16 for the built-in font.
  virtual int FontHeight();
  /// @return The number of glyphs.
  virtual int GlyphCount();
  /// The built-in font has glyphs for 32-127 only (index c - 32).
  /// @param character A character code.
  /// @return The glyph's index; -1 when the font has none for the character.
  /// @sa ImageGlyphAt
  virtual int GlyphIndexOf(int character);
  /// Made on first use for a source font. Throws TArrayBoundsException outside the font.
  /// @param index A glyph index, 0..GlyphCount()-1.
  /// @return The glyph.
  /// @sa GlyphIndexOf
  virtual Ref<TImageGlyph> ImageGlyphAt(int index);
  /// Pen from (x, y), in single precision, along (ix, jx) per unit of advance; characters
  /// without a glyph are skipped without advancing. Draws through the current 2D driver.
  /// @param text The text.
  /// @param x The pen's start x.
  /// @param y The pen's start y.
  /// @param ix The transform's x by glyph x.
  /// @param iy The transform's x by glyph y.
  /// @param jx The transform's y by glyph x.
  /// @param jy The transform's y by glyph y.
  /// @sa DrawTextAt
  virtual void DrawString(const String& text, float x, float y, float ix, float iy, float jx,
                          float jy);
  /// The sum of the advances DrawString moves the pen by, each added in single precision and
  /// cut to whole pixels.
  /// @param text The text.
  /// @return Its width in pixels.
  /// @sa TextWidthOf
  virtual int TextWidth(const String& text);
  /// @param text The text.
  /// @return The height of the line the text is drawn in: FontHeight() for an image font.
  /// @sa TextHeightOf
  virtual int TextHeight(const String& text);

  /// An image font over a loader's source font (LoadSourceFontAny).
  /// @param url The font file.
  /// @param size The size in pixels.
  /// @param style Style bits of the loader, FONT_SMOOTH among them.
  /// @return The font; Null when no loader makes a font of the url.
  /// @sa corvax::LoadImageFont
  static Ref<TImageFont> LoadImageFont(const Url& url, int size, FontStyleFlags style);
  /// @return A new copy of the built-in font, from "incbin::corvfont.bin".
  /// @sa DefaultFont
  static Ref<TImageFont> BuiltInFont();

  /// @return The font the glyphs come from; Null for the built-in font.
  const Ref<TFont>& SourceFont() const { return source_; }
  /// @return The IMAGE_ flags of the glyph images.
  ImageFlags GlyphImageFlags() const { return glyphImageFlags_; }

 protected:
  /// A font over a source font, for fonts that draw it their own way.
  /// @param source The source font; Null for the built-in font.
  /// @param glyphCount The number of glyph slots.
  /// @param glyphImageFlags The IMAGE_ flags of the glyph images.
  TImageFont(Ref<TFont> source, int glyphCount, ImageFlags glyphImageFlags);
  /// @param style Font style bits.
  /// @return The IMAGE_ flags of glyph images in that style: filtered and mipmapped for
  /// FONT_SMOOTH.
  static ImageFlags GlyphImageFlagsFor(FontStyleFlags style);

 private:
  Ref<TFont> source_;
  Array<Ref<TImageGlyph>> glyphs_;
  int glyphImageFlags_;
};

/// The built-in font's file: 16 rows of 96 bytes; in row i, byte j holds pixel row i of character
/// 32 + j, bit k (1 << k) lighting column k, least significant bit leftmost.
inline constexpr int BUILT_IN_FONT_BYTES = 1536;

/// Registers "corvfont.bin", then starts the font and image modules.
/// @sa StartupPlex2DModule
void StartupImageFontModule();

}  // namespace corvax
