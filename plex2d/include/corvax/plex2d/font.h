#pragma once
/// @file
/// @ingroup plex2d
/// Fonts as sets of glyph pictures, made by loaders (FreeType, for one) that join a chain.
#include <corvax/runtime/object.h>
#include <corvax/runtime/registration_chain.h>
#include <corvax/stream/url.h>

namespace corvax {

/// One character's picture and metrics in a font.
class TGlyph : public Object {
 public:
  /// @return Normally a TPixmap with the picture; Null for a glyph without pixels.
  virtual Ref<Object> GlyphPixels() = 0;
  /// @return Pen advance in pixels.
  virtual float GlyphAdvance() = 0;
  /// The picture's offset from the pen position, and its size, in pixels.
  /// @param[out] x The x offset.
  /// @param[out] y The y offset.
  /// @param[out] width The width.
  /// @param[out] height The height.
  virtual void GlyphRect(int& x, int& y, int& width, int& height) = 0;
};

/// A font at one size: glyphs by index, and the index of each character.
class TFont : public Object {
 public:
  /// @return The style asked for when loading (bold, italic, ... bits of the loader).
  virtual int FontStyle() = 0;
  /// @return Line height in pixels.
  virtual int FontHeight() = 0;
  /// @return The number of glyphs.
  virtual int GlyphCount() = 0;
  /// @param character A character code.
  /// @return The glyph's index; -1 when the font has no glyph for the character.
  /// @sa GlyphAt
  virtual int GlyphIndexOf(int character) = 0;
  /// @param index An index from GlyphIndexOf, 0..GlyphCount()-1.
  /// @return The glyph.
  virtual Ref<TGlyph> GlyphAt(int index) = 0;
};

/// Makes fonts from urls of one kind; joins the chain through AddFontLoader.
class TFontLoader : public Object, public ChainMember<TFontLoader> {
 public:
  /// @param url The font file.
  /// @param size The size in pixels.
  /// @param style Style bits of the loader.
  /// @return The font; Null when the url is not a font this loader reads.
  /// @sa LoadSourceFontAny
  virtual Ref<TFont> LoadSourceFont(const Url& url, int size, int style) = 0;

  /// @return The loader added just before this one, or Null for the oldest and an unchained
  /// loader.
  /// @sa FirstFontLoader
  const Ref<TFontLoader>& NextLoader() const { return NextInChain(); }
};

/// Links the loader at the head of the chain, so it is asked first. A loader already chained
/// stays where it is.
/// @param loader The loader.
/// @sa FirstFontLoader
void AddFontLoader(const Ref<TFontLoader>& loader);
/// @return The newest loader, or Null.
/// @sa AddFontLoader, TFontLoader::NextLoader
Ref<TFontLoader> FirstFontLoader();
/// Asks each loader, newest first.
/// @param url The font file.
/// @param size The size in pixels.
/// @param style Style bits of the loader.
/// @return The first font a loader makes from the url; Null when none does.
/// @sa LoadImageFont
Ref<TFont> LoadSourceFontAny(const Url& url, int size, int style);

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupFontModule();

}  // namespace corvax
