#pragma once
#include <corvax/pixmap/pixmap.h>

struct FT_FaceRec_;

namespace corvax {

// One glyph of a face rendered at the face's current size.
struct RasterGlyph {
  // An 8-bit alpha picture; Null for a glyph without pixels (a space, a glyph FreeType cannot
  // load or render).
  Ref<TPixmap> pixels;
  // Pen advance in whole pixels; 0 for a glyph FreeType cannot load or render.
  float advance = 0;
  // Whether FreeType rendered it; the place below is known only then.
  bool rendered = false;
  // The picture's left column from the pen, and its top row up from the baseline.
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Renders the face's glyph (0 is its missing-glyph box). With FONT_SMOOTH in style the picture
// has a one-pixel transparent border, so that filtered drawing has clear edges to sample.
RasterGlyph RasteriseGlyph(FT_FaceRec_* face, unsigned glyph, int style);

}  // namespace corvax
