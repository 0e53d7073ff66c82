#pragma once
// HarfBuzz over the faces of a font chain: shapes a line run by run, in the runs' visual order.
#include <vector>

#include <corvax/freetype/shaped_font.h>

struct hb_font_t;
struct hb_buffer_t;

namespace corvax {

class TextShaper {
 public:
  TextShaper();
  ~TextShaper();
  TextShaper(const TextShaper&) = delete;
  TextShaper& operator=(const TextShaper&) = delete;

  // The face must outlive the shaper. It is shaped at the pixel size it is set to.
  void AddFace(FT_FaceRec_* face);
  std::vector<ShapedGlyph> Shape(const String& text);

 private:
  int FontFor(std::uint32_t character) const;

  std::vector<FT_FaceRec_*> faces_;
  std::vector<hb_font_t*> fonts_;
  hb_buffer_t* buffer_;
};

}  // namespace corvax
