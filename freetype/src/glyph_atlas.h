#pragma once
// The glyph pictures of one font at its one size, each rendered once and packed into pages:
// images that start small and double as glyphs arrive, so that a line draws from a handful of
// textures however many characters it has.
#include <unordered_map>
#include <vector>

#include <corvax/freetype/freetype_font.h>
#include <corvax/plex2d/image.h>

namespace corvax {

struct AtlasGlyph {
  // Its page, or -1 for a glyph without pixels.
  int page = -1;
  // Its rectangle in the page, in pixels.
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  // The picture's left column from the pen, and its top row up from the baseline.
  int left = 0;
  int top = 0;
};

class GlyphAtlas {
 public:
  // Pages take the font's glyph image flags; the font must outlive the atlas.
  GlyphAtlas(Ref<TFreeTypeFont> font, ImageFlags imageFlags);

  // Renders the glyph into a page the first time it is asked for.
  const AtlasGlyph& Glyph(unsigned glyph);
  // The page as the driver draws it, its new glyphs included.
  Ref<TImage> PageImage(int page);
  int PageCount() const { return static_cast<int>(pages_.size()); }

 private:
  struct Page {
    Ref<TPixmap> pixels;
    Ref<TImage> image;
    // Shelves fill left to right, each as tall as its tallest glyph; the last is open.
    int shelfY = 0;
    int shelfHeight = 0;
    int shelfX = 0;
  };

  AtlasGlyph Place(const Ref<TPixmap>& picture);
  static bool FitOnPage(Page& page, int width, int height, int& x, int& y);
  static void Grow(Page& page);
  static Page NewPage();

  Ref<TFreeTypeFont> font_;
  ImageFlags imageFlags_;
  std::unordered_map<unsigned, AtlasGlyph> glyphs_;
  std::vector<Page> pages_;
};

}  // namespace corvax
