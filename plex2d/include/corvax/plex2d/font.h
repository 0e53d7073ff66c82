#pragma once
/// @file
/// Fonts as sets of glyph pictures, made by loaders (FreeType, for one) that join a chain.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupPlex2DModule() for this module
/// alone, before any other call.
#include <corvax/runtime/object.h>
#include <corvax/stream/url.h>

namespace corvax {

class TGlyph : public Object {
 public:
  /// Normally a TPixmap with the picture; Null for a glyph without pixels.
  virtual Ref<Object> GlyphPixels() = 0;
  /// Pen advance in pixels.
  virtual float GlyphAdvance() = 0;
  /// The picture's offset from the pen position, and its size.
  virtual void GlyphRect(int& x, int& y, int& width, int& height) = 0;
};

class TFont : public Object {
 public:
  virtual int FontStyle() = 0;
  /// Line height in pixels.
  virtual int FontHeight() = 0;
  virtual int GlyphCount() = 0;
  /// -1 when the font has no glyph for the character.
  virtual int GlyphIndexOf(int character) = 0;
  virtual Ref<TGlyph> GlyphAt(int index) = 0;
};

class TFontLoader : public Object {
 public:
  /// Null when the url is not a font this loader reads.
  virtual Ref<TFont> LoadSourceFont(const Url& url, int size, int style) = 0;

  const Ref<TFontLoader>& NextLoader() const { return next_; }

 private:
  friend void AddFontLoader(const Ref<TFontLoader>& loader);
  Ref<TFontLoader> next_;
};

/// Links the loader at the head of the chain, so it is asked first. A loader already chained
/// stays where it is.
void AddFontLoader(const Ref<TFontLoader>& loader);
/// The newest loader, or Null.
Ref<TFontLoader> FirstFontLoader();
/// The first font a loader makes from the url, newest loader first; Null when none does.
Ref<TFont> LoadSourceFontAny(const Url& url, int size, int style);

void StartupFontModule();

}  // namespace corvax
