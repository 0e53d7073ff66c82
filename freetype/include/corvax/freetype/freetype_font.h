#pragma once
/// @file
/// @ingroup freetype
/// Fonts of any format FreeType reads (TrueType, OpenType, Type 1, BDF, PCF...), at one pixel
/// size. Glyph pictures are 8-bit alpha pixmaps, rendered one at a time on first use and kept.
/// Call first: LoadImageFont (draw.h) with a TrueType or OpenType file; this module reads it.
/// Example: examples/text.cpp.
#include <cstdint>
#include <vector>

#include <corvax/plex2d/font.h>
#include <corvax/runtime/array.h>

struct FT_FaceRec_;

namespace corvax {

/// One glyph rendered by FreeType.
class TFreeTypeGlyph : public TGlyph {
 public:
  /// @return The picture, a TPixmap in FORMAT_ALPHA8; Null for a glyph without pixels.
  Ref<Object> GlyphPixels() override { return pixels_; }
  /// @return The advance in whole pixels.
  float GlyphAdvance() override { return advance_; }
  /// The picture's place, relative to the pen at the top of the line.
  /// @param[out] x Its left column.
  /// @param[out] y Its top row.
  /// @param[out] width Its width.
  /// @param[out] height Its height.
  void GlyphRect(int& x, int& y, int& width, int& height) override;

 private:
  friend class TFreeTypeFont;
  Ref<Object> pixels_;
  float advance_ = 0;
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  int height_ = 0;
};

/// A font face rendered by FreeType at one pixel size; glyphs are rendered on first use.
class TFreeTypeFont : public TFont {
 public:
  ~TFreeTypeFont() override;

  /// @return The style asked for when loading.
  int FontStyle() override { return style_; }
  int FontHeight() override { return height_; }
  /// @return The face's glyphs less its "missing" glyph.
  int GlyphCount() override;
  /// Index i is the face's glyph i + 1 (glyph 0 is the face's "missing" glyph).
  /// @param character A character code.
  /// @return The face's glyph for the character, through its default character map; -1 when it has
  /// none.
  int GlyphIndexOf(int character) override;
  /// Throws TArrayBoundsException outside 0..GlyphCount()-1. A glyph FreeType cannot load is an
  /// empty glyph: no picture, no advance, an empty rectangle.
  /// @param index The glyph index.
  /// @return The glyph, rendered on first use.
  Ref<TGlyph> GlyphAt(int index) override;

  /// @return Pixels above the baseline.
  int Ascend() const { return ascend_; }
  /// @return Pixels below the baseline (negative).
  int Descend() const { return descend_; }
  /// @return The FreeType face, for calls to FreeType and HarfBuzz on it; it lives as long as
  /// the font.
  FT_FaceRec_* Face() const { return face_; }

  /// A bitmap font settles on its largest size at or below the request.
  /// @param url A url with "::" after its first character is read whole through the streams; other
  /// text is a file path (UTF-8 on the file system).
  /// @param size The pixel size.
  /// @param style The style bits.
  /// @return The font; Null when the url cannot be read, is no font, or has no size that fits.
  static Ref<TFreeTypeFont> Load(const String& url, int size, int style);

 private:
  TFreeTypeFont(FT_FaceRec_* face, std::vector<std::uint8_t> fontData, int style);
  Ref<TFreeTypeGlyph> RenderGlyph(int index);

  FT_FaceRec_* face_;
  /// The face reads its file from here when the font came through a stream.
  std::vector<std::uint8_t> fontData_;
  int style_;
  int height_ = 0;
  int ascend_ = 0;
  int descend_ = 0;
  Array<Ref<TFreeTypeGlyph>> glyphs_;
};

/// The font loader that reads fonts through FreeType.
class TFreeTypeFontLoader : public TFontLoader {
 public:
  /// @param url What to load, as TFreeTypeFont::Load takes it.
  /// @param size The pixel size.
  /// @param style The style bits.
  /// @return The font; Null for an empty url and any url that is not a String.
  Ref<TFont> LoadSourceFont(const Url& url, int size, int style) override;
};

}  // namespace corvax
