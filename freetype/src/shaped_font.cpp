#include <corvax/freetype/shaped_font.h>

#include <algorithm>
#include <cmath>

#include <corvax/runtime/exceptions.h>

#include "freetype_library.h"
#include "glyph_atlas.h"
#include "text_shaper.h"

namespace corvax {
namespace {

int RoundToPixels(int subpixels) {
  return static_cast<int>(std::lround(static_cast<double>(subpixels) / SUBPIXELS_PER_PIXEL));
}

int WidthOf(const std::vector<ShapedGlyph>& glyphs) {
  int width = 0;
  for (const ShapedGlyph& glyph : glyphs) width += glyph.xAdvance;
  return width;
}

}  // namespace

TShapedFont::TShapedFont(const Ref<TFreeTypeFont>& font, ImageFlags glyphImageFlags)
    : TImageFont(font, font->GlyphCount(), glyphImageFlags),
      size_(font->Face()->size->metrics.y_ppem),
      shaper_(std::make_unique<TextShaper>()) {
  AddFallback(font);
}

TShapedFont::~TShapedFont() = default;

int TShapedFont::Baseline() const {
  int baseline = 0;
  for (const Ref<TFreeTypeFont>& font : fonts_) baseline = std::max(baseline, font->Ascend());
  return baseline;
}

int TShapedFont::LineHeightOf(TFreeTypeFont& font) const {
  // The font's line, below the shared baseline: its descent and its gap between lines.
  return Baseline() - font.Ascend() + font.FontHeight();
}

int TShapedFont::FontHeight() {
  int height = 0;
  for (const Ref<TFreeTypeFont>& font : fonts_) height = std::max(height, LineHeightOf(*font));
  return height;
}

void TShapedFont::AddFallback(const Ref<TFreeTypeFont>& font) {
  if (!font) ThrowRuntimeError(u"A fallback font must be a font, not Null");
  fonts_.push_back(font);
  atlases_.push_back(std::make_unique<GlyphAtlas>(font, GlyphImageFlags()));
  shaper_->AddFace(font->Face());
  // Characters may come from the new font now.
  shaped_.clear();
}

bool TShapedFont::AddFallbackFont(const String& url) {
  const Ref<TFreeTypeFont> font = TFreeTypeFont::Load(url, size_, FontStyle());
  if (!font) return false;
  AddFallback(font);
  return true;
}

const std::vector<ShapedGlyph>& TShapedFont::Shape(const String& text) {
  const auto found = shaped_.find(text);
  if (found != shaped_.end()) return found->second;
  // A program draws much the same lines frame after frame, and measures them as well; past
  // this many lines the cache starts again, so that changing text cannot grow it without end.
  constexpr std::size_t kLinesKept = 256;
  if (shaped_.size() >= kLinesKept) shaped_.clear();
  return shaped_.emplace(text, shaper_->Shape(text)).first->second;
}

int TShapedFont::TextWidth(const String& text) {
  return RoundToPixels(WidthOf(Shape(text)));
}

int TShapedFont::TextHeight(const String& text) {
  int height = LineHeightOf(*fonts_.front());
  for (const ShapedGlyph& glyph : Shape(text)) {
    height = std::max(height, LineHeightOf(*fonts_[static_cast<std::size_t>(glyph.font)]));
  }
  return height;
}

void TShapedFont::DrawString(const String& text, float x, float y, float ix, float iy, float jx,
                             float jy) {
  const std::vector<ShapedGlyph>& glyphs = Shape(text);
  // Every glyph goes into its atlas before any is drawn: a page may still grow until then.
  std::vector<const AtlasGlyph*> placed(glyphs.size());
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    placed[i] = &atlases_[static_cast<std::size_t>(glyphs[i].font)]->Glyph(glyphs[i].glyph);
  }
  // The glyphs of one page are drawn in one batch.
  struct Batch {
    Ref<TImage> page;
    std::vector<FrameQuad> quads;
  };
  std::vector<Batch> batches;
  const int baseline = Baseline();
  int pen = 0;
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    const ShapedGlyph& glyph = glyphs[i];
    const AtlasGlyph& picture = *placed[i];
    pen += glyph.xAdvance;
    if (picture.page < 0) continue;
    const Ref<TImage> page =
        atlases_[static_cast<std::size_t>(glyph.font)]->PageImage(picture.page);
    auto batch = std::find_if(batches.begin(), batches.end(),
                              [&](const Batch& b) { return b.page == page; });
    if (batch == batches.end()) batch = batches.insert(batches.end(), Batch{page, {}});
    const int penBefore = pen - glyph.xAdvance;
    const auto gx = static_cast<float>(RoundToPixels(penBefore + glyph.xOffset) + picture.left);
    const auto gy = static_cast<float>(baseline - picture.top - RoundToPixels(glyph.yOffset));
    const auto width = static_cast<float>(page->Width());
    const auto height = static_cast<float>(page->Height());
    batch->quads.push_back(
        {{static_cast<float>(picture.x) / width, static_cast<float>(picture.y) / height,
          static_cast<float>(picture.x + picture.width) / width,
          static_cast<float>(picture.y + picture.height) / height},
         0,
         0,
         static_cast<float>(picture.width),
         static_cast<float>(picture.height),
         x + (gx * ix + gy * iy),
         y + (gx * jx + gy * jy)});
  }
  for (const Batch& batch : batches) {
    if (const Ref<TImageFrame> frame = batch.page->FrameFor(0)) {
      frame->RenderFrameParts(batch.quads);
    }
  }
}

Ref<TShapedFont> TShapedFont::LoadShapedFont(const String& url, int size, FontStyleFlags style) {
  const Ref<TFreeTypeFont> font = TFreeTypeFont::Load(url, size, style);
  if (!font) return nullptr;
  return Ref<TShapedFont>(new TShapedFont(font, GlyphImageFlagsFor(style)));
}

Ref<TShapedFont> LoadShapedFont(const String& url, int size, FontStyleFlags style) {
  return TShapedFont::LoadShapedFont(url, size, style);
}

}  // namespace corvax
