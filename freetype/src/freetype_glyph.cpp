// Glyph pictures: FreeType's rendered bitmap, whatever its depth, as an 8-bit alpha pixmap.
#include <corvax/freetype/freetype_font.h>

#include <algorithm>

#include <corvax/pixmap/pixmap.h>
#include <corvax/plex2d/image_font.h>

#include "freetype_library.h"
#include "raster_glyph.h"

#include FT_BITMAP_H
#include FT_OUTLINE_H

namespace corvax {
namespace {

// The largest value a pixel of the bitmap can hold, before widening to 8 bits.
int LargestLevel(const FT_Bitmap& bitmap) {
  switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_MONO:
      return 1;
    case FT_PIXEL_MODE_GRAY2:
      return 3;
    case FT_PIXEL_MODE_GRAY4:
      return 15;
    case FT_PIXEL_MODE_GRAY:
      return bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
    default:
      return 255;
  }
}

Ref<TPixmap> AlphaPixmap(const FT_Bitmap& bitmap) {
  const int width = static_cast<int>(bitmap.width);
  const int rows = static_cast<int>(bitmap.rows);
  if (!TPixmap::IsAcceptableSize(width + 2, rows + 2, FORMAT_ALPHA8)) return nullptr;
  FT_Bitmap bytes;
  FT_Bitmap_Init(&bytes);
  if (FT_Bitmap_Convert(FreeTypeLibrary(), &bitmap, &bytes, 1) != 0) {
    FT_Bitmap_Done(FreeTypeLibrary(), &bytes);
    return nullptr;
  }
  const int largest = LargestLevel(bitmap);
  Ref<TPixmap> pixels = PixmapCreate(width, rows, FORMAT_ALPHA8);
  const int pitch = bytes.pitch < 0 ? -bytes.pitch : bytes.pitch;
  for (int y = 0; y < rows; ++y) {
    // A negative pitch stores the bottom row first.
    const unsigned char* from = bytes.buffer + (bytes.pitch < 0 ? rows - 1 - y : y) * pitch;
    std::uint8_t* to = pixels->PixelAddress(0, y);
    for (int x = 0; x < width; ++x) {
      to[x] = static_cast<std::uint8_t>(std::min(255, from[x] * 255 / largest));
    }
  }
  FT_Bitmap_Done(FreeTypeLibrary(), &bytes);
  return pixels;
}

// An outline whose picture would span more than this many ems comes from a damaged or hostile
// file: rendering it costs seconds and megabytes for a picture nobody could use.
constexpr FT_Pos kLargestOutlineInEms = 8;

bool OutlineFitsTheSize(const FT_GlyphSlot slot, const FT_Size_Metrics& size) {
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return true;
  FT_BBox box;
  FT_Outline_Get_CBox(&slot->outline, &box);
  // 26.6 fixed point, like the outline's coordinates.
  const FT_Pos widest = kLargestOutlineInEms * size.x_ppem * 64;
  const FT_Pos tallest = kLargestOutlineInEms * size.y_ppem * 64;
  return box.xMax - box.xMin <= widest && box.yMax - box.yMin <= tallest;
}

}  // namespace

RasterGlyph RasteriseGlyph(FT_Face face, unsigned glyph, int style) {
  RasterGlyph raster;
  if (FT_Load_Glyph(face, glyph, FT_LOAD_DEFAULT) != 0) return raster;
  const FT_GlyphSlot slot = face->glyph;
  raster.advance = static_cast<float>(slot->advance.x >> 6);
  if (!OutlineFitsTheSize(slot, face->size->metrics)) return raster;
  if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
    raster.advance = 0;
    return raster;
  }
  raster.rendered = true;
  raster.left = slot->bitmap_left;
  raster.top = slot->bitmap_top;
  raster.width = static_cast<int>(slot->bitmap.width);
  raster.height = static_cast<int>(slot->bitmap.rows);
  // A damaged bitmap font can give a glyph a size but no bits: it has no picture then.
  if (!slot->bitmap.buffer) raster.width = raster.height = 0;
  if (raster.width == 0 || raster.height == 0) return raster;
  Ref<TPixmap> pixels = AlphaPixmap(slot->bitmap);
  if (!pixels) return raster;
  if (style & FONT_SMOOTH) {
    // A clear border, so that filtered drawing samples transparency at the edges.
    Ref<TPixmap> bordered = PixmapCreate(raster.width + 2, raster.height + 2, FORMAT_ALPHA8);
    bordered->PasteFrom(pixels, 1, 1);
    pixels = bordered;
    raster.left -= 1;
    raster.top += 1;
    raster.width += 2;
    raster.height += 2;
  }
  raster.pixels = pixels;
  return raster;
}

void TFreeTypeGlyph::GlyphRect(int& x, int& y, int& width, int& height) {
  x = x_;
  y = y_;
  width = width_;
  height = height_;
}

Ref<TFreeTypeGlyph> TFreeTypeFont::RenderGlyph(int index) {
  Ref<TFreeTypeGlyph> glyph = New<TFreeTypeGlyph>();
  const RasterGlyph raster = RasteriseGlyph(face_, static_cast<unsigned>(index + 1), style_);
  glyph->advance_ = raster.advance;
  if (!raster.rendered) return glyph;
  glyph->x_ = raster.left;
  glyph->y_ = ascend_ - raster.top;
  glyph->width_ = raster.width;
  glyph->height_ = raster.height;
  glyph->pixels_ = raster.pixels;
  return glyph;
}

}  // namespace corvax
