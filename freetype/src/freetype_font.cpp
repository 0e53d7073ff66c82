#include <corvax/freetype/freetype_font.h>

#include <algorithm>

#include <corvax/runtime/exceptions.h>
#include <corvax/stream/open_url.h>

#include "freetype_library.h"

namespace corvax {
namespace {

// FreeType keeps pixel sizes in 16 bits; a larger request starts its search from here, so that
// stepping down through sizes a bitmap font does not have stays bounded.
constexpr int kLargestPixelSize = 0xFFFF;

// A url naming a stream has its protocol separator after the first character; "::x" and plain
// paths are files.
bool NamesStream(const String& url) {
  const auto separator = url.find(u"::");
  return separator != String::npos && separator > 0;
}

FT_Face OpenFace(FT_Library library, const String& url, std::vector<std::uint8_t>& data) {
  FT_Face face = nullptr;
  if (NamesStream(url)) {
    try {
      data = LoadBytes(Url(url));
    } catch (const TException&) {
      return nullptr;
    }
    if (data.empty()) return nullptr;
    if (FT_New_Memory_Face(library, data.data(), static_cast<FT_Long>(data.size()), 0, &face) != 0)
      return nullptr;
  } else if (FT_New_Face(library, ToUtf8(url).c_str(), 0, &face) != 0) {
    return nullptr;
  }
  return face;
}

// The size the face was set to: the request, or for a bitmap font its largest size below;
// 0 when there is none.
int SetPixelSize(FT_Face face, int size) {
  for (size = std::min(size, kLargestPixelSize); size > 0; --size) {
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(size)) == 0) return size;
  }
  return 0;
}

}  // namespace

TFreeTypeFont::TFreeTypeFont(FT_FaceRec_* face, std::vector<std::uint8_t> fontData, int style)
    : face_(face),
      fontData_(std::move(fontData)),
      style_(style),
      glyphs_(static_cast<std::size_t>(std::max<FT_Long>(face->num_glyphs, 0))) {
  const FT_Size_Metrics& metrics = face->size->metrics;
  height_ = static_cast<int>(metrics.height >> 6);
  ascend_ = static_cast<int>(metrics.ascender >> 6);
  descend_ = static_cast<int>(metrics.descender >> 6);
}

TFreeTypeFont::~TFreeTypeFont() {
  FT_Done_Face(face_);
}

int TFreeTypeFont::GlyphCount() {
  return glyphs_.Length();
}

int TFreeTypeFont::GlyphIndexOf(int character) {
  return static_cast<int>(FT_Get_Char_Index(face_, static_cast<FT_ULong>(character))) - 1;
}

Ref<TGlyph> TFreeTypeFont::GlyphAt(int index) {
  Ref<TFreeTypeGlyph>& slot = glyphs_[index];
  if (!slot) slot = RenderGlyph(index);
  return slot;
}

Ref<TFreeTypeFont> TFreeTypeFont::Load(const String& url, int size, int style) {
  FT_Library library = FreeTypeLibrary();
  if (!library || size <= 0) return nullptr;
  std::vector<std::uint8_t> data;
  FT_Face face = OpenFace(library, url, data);
  if (!face) return nullptr;
  if (SetPixelSize(face, size) == 0) {
    FT_Done_Face(face);
    return nullptr;
  }
  return Ref<TFreeTypeFont>(new TFreeTypeFont(face, std::move(data), style));
}

Ref<TFont> TFreeTypeFontLoader::LoadSourceFont(const Url& url, int size, int style) {
  const String text = UnboxString(url.AsObject());
  if (text.empty()) return nullptr;
  return TFreeTypeFont::Load(text, size, style);
}

}  // namespace corvax
