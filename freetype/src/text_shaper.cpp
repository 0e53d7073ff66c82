#include "text_shaper.h"

#include <hb-ft.h>
#include <hb.h>

#include "freetype_library.h"
#include "text_runs.h"

namespace corvax {
namespace {

// OpenType faces are shaped from their own tables, scaled to the size in 1/64 pixel, as
// HarfBuzz's own tools do; faces without tables (bitmap and Type 1 fonts) through FreeType.
hb_font_t* MakeFont(FT_Face face) {
  if (!FT_IS_SFNT(face)) return hb_ft_font_create_referenced(face);
  hb_face_t* tables = hb_ft_face_create_referenced(face);
  hb_font_t* font = hb_font_create(tables);
  hb_face_destroy(tables);
  const FT_Size_Metrics& size = face->size->metrics;
  hb_font_set_scale(font, size.x_ppem * SUBPIXELS_PER_PIXEL, size.y_ppem * SUBPIXELS_PER_PIXEL);
  hb_font_set_ppem(font, size.x_ppem, size.y_ppem);
  return font;
}

}  // namespace

TextShaper::TextShaper() : buffer_(hb_buffer_create()) {}

TextShaper::~TextShaper() {
  for (hb_font_t* font : fonts_) hb_font_destroy(font);
  hb_buffer_destroy(buffer_);
}

void TextShaper::AddFace(FT_Face face) {
  faces_.push_back(face);
  fonts_.push_back(MakeFont(face));
}

int TextShaper::FontFor(std::uint32_t character) const {
  for (std::size_t i = 0; i < faces_.size(); ++i) {
    if (FT_Get_Char_Index(faces_[i], character) != 0) return static_cast<int>(i);
  }
  return 0;
}

std::vector<ShapedGlyph> TextShaper::Shape(const String& text) {
  std::vector<ShapedGlyph> glyphs;
  const auto* units = reinterpret_cast<const std::uint16_t*>(text.data());
  const int length = static_cast<int>(text.size());
  for (const TextRun& run :
       VisualRuns(text, [this](std::uint32_t character) { return FontFor(character); })) {
    hb_buffer_clear_contents(buffer_);
    // The whole line goes in as context, so that letters join across runs.
    hb_buffer_add_utf16(buffer_, units, length, static_cast<unsigned>(run.start),
                        run.end - run.start);
    hb_buffer_set_direction(buffer_, run.rightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_set_script(buffer_, static_cast<hb_script_t>(run.script));
    hb_buffer_guess_segment_properties(buffer_);
    hb_shape(fonts_[static_cast<std::size_t>(run.font)], buffer_, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer_, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer_, &count);
    for (unsigned i = 0; i < count; ++i) {
      glyphs.push_back({run.font, infos[i].codepoint, static_cast<int>(infos[i].cluster),
                        positions[i].x_advance, positions[i].x_offset, positions[i].y_offset});
    }
  }
  return glyphs;
}

}  // namespace corvax
