#include "glyph_atlas.h"

#include <algorithm>

#include "raster_glyph.h"

namespace corvax {
namespace {

// A page starts at this many pixels square and doubles, height then width, up to the largest;
// after that a new page starts. Every OpenGL and Direct3D 7 device takes textures this large.
constexpr int kFirstPageSize = 256;
constexpr int kLargestPageSize = 2048;
// Clear pixels between glyphs, so that filtered drawing of one never samples its neighbour.
constexpr int kGlyphGap = 1;

}  // namespace

GlyphAtlas::GlyphAtlas(Ref<TFreeTypeFont> font, ImageFlags imageFlags)
    : font_(std::move(font)), imageFlags_(imageFlags) {}

const AtlasGlyph& GlyphAtlas::Glyph(unsigned glyph) {
  const auto found = glyphs_.find(glyph);
  if (found != glyphs_.end()) return found->second;
  const RasterGlyph raster = RasteriseGlyph(font_->Face(), glyph, font_->FontStyle());
  AtlasGlyph placed;
  if (raster.pixels) {
    placed = Place(raster.pixels);
    placed.left = raster.left;
    placed.top = raster.top;
  }
  return glyphs_.emplace(glyph, placed).first->second;
}

Ref<TImage> GlyphAtlas::PageImage(int page) {
  Page& p = pages_[static_cast<std::size_t>(page)];
  if (!p.image) {
    p.image =
        TImage::CreateImageObject(p.pixels->Width(), p.pixels->Height(), 1, imageFlags_, 0, 0, 0);
    p.image->SetFramePixmap(0, p.pixels);
  }
  return p.image;
}

bool GlyphAtlas::FitOnPage(Page& page, int width, int height, int& x, int& y) {
  const int pageWidth = page.pixels->Width();
  const int pageHeight = page.pixels->Height();
  if (page.shelfX + width > pageWidth) {
    if (width > pageWidth || page.shelfY + page.shelfHeight + height > pageHeight) return false;
    page.shelfY += page.shelfHeight;
    page.shelfX = 0;
    page.shelfHeight = 0;
  } else if (page.shelfY + height > pageHeight) {
    // The open shelf is the lowest, so it may grow as tall as the page has room for.
    return false;
  }
  x = page.shelfX;
  y = page.shelfY;
  page.shelfX += width;
  page.shelfHeight = std::max(page.shelfHeight, height);
  return true;
}

void GlyphAtlas::Grow(Page& page) {
  const int width = page.pixels->Width();
  const int height = page.pixels->Height();
  const bool taller = height <= width;
  Ref<TPixmap> grown =
      PixmapCreate(taller ? width : width * 2, taller ? height * 2 : height, FORMAT_ALPHA8);
  grown->PasteFrom(page.pixels, 0, 0);
  page.pixels = grown;
  page.image = nullptr;
}

AtlasGlyph GlyphAtlas::Place(const Ref<TPixmap>& picture) {
  AtlasGlyph placed;
  placed.width = picture->Width();
  placed.height = picture->Height();
  const int width = placed.width + kGlyphGap;
  const int height = placed.height + kGlyphGap;
  // A glyph larger than a whole page (a font of thousands of pixels) is not kept.
  if (width > kLargestPageSize || height > kLargestPageSize) return {};
  if (pages_.empty()) pages_.push_back(NewPage());
  while (!FitOnPage(pages_.back(), width, height, placed.x, placed.y)) {
    Page& full = pages_.back();
    if (full.pixels->Width() >= kLargestPageSize && full.pixels->Height() >= kLargestPageSize) {
      pages_.push_back(NewPage());
    } else {
      Grow(full);
    }
  }
  Page& page = pages_.back();
  page.pixels->PasteFrom(picture, placed.x, placed.y);
  // The driver's texture no longer shows the page.
  if (page.image) page.image->SetFramePixmap(0, page.pixels);
  placed.page = static_cast<int>(pages_.size()) - 1;
  return placed;
}

GlyphAtlas::Page GlyphAtlas::NewPage() {
  Page page;
  page.pixels = PixmapCreate(kFirstPageSize, kFirstPageSize, FORMAT_ALPHA8);
  return page;
}

}  // namespace corvax
