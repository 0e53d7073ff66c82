// Font files through the FreeType loader, read through the streams as an embedded file would
// be. The first byte picks the pixel size; the rest is the font. A font that loads has its
// character map walked and its first glyphs rendered and read, and shapes a line of several
// scripts through HarfBuzz (which reads the font's layout tables itself).
#include <cstddef>
#include <cstdint>

#include <corvax/freetype/freetype_module.h>
#include <corvax/pixmap/pixmap.h>
#include <corvax/runtime/exceptions.h>
#include <corvax/stream/ram_stream.h>
#include <corvax/stream/stream_factory.h>

namespace {

using namespace corvax;

const std::uint8_t* fontData = nullptr;
int fontSize = 0;

// "fuzz::" opens the current input.
class InputFactory : public TStreamFactory {
 public:
  Ref<TStream> CreateStream(const Ref<Object>&, const String& protocol, const String&, bool,
                            bool) override {
    if (protocol != u"fuzz") return nullptr;
    return CreateRamStream(const_cast<std::uint8_t*>(fontData), fontSize, true, false);
  }
};

volatile unsigned glyph_sink = 0;

void ReadGlyphs(TFreeTypeFont& font) {
  constexpr int kGlyphs = 32;
  unsigned sum = 0;
  for (int c = 32; c < 128; ++c) sum += static_cast<unsigned>(font.GlyphIndexOf(c));
  for (int i = 0; i < font.GlyphCount() && i < kGlyphs; ++i) {
    const Ref<TGlyph> glyph = font.GlyphAt(i);
    int x, y, width, height;
    glyph->GlyphRect(x, y, width, height);
    const Ref<TPixmap> pixels = Cast<TPixmap>(glyph->GlyphPixels());
    if (!pixels) continue;
    if (pixels->Width() != width || pixels->Height() != height) __builtin_trap();
    for (int row = 0; row < pixels->Height(); ++row) {
      const std::uint8_t* line = pixels->PixelAddress(0, row);
      for (int column = 0; column < pixels->Width(); ++column) sum += line[column];
    }
  }
  glyph_sink = sum;
}

void ShapeLine(int pixelSize, int style) {
  const Ref<TShapedFont> shaped = LoadShapedFont(u"fuzz::font", pixelSize, style);
  if (!shaped) return;
  unsigned sum = 0;
  for (const ShapedGlyph& glyph :
       shaped->Shape(u"office AV \u0645\u0631\u062D\u0628\u0627 \u0915\u094D\u0937 \u4F60")) {
    sum += glyph.glyph + static_cast<unsigned>(glyph.xAdvance + glyph.xOffset + glyph.yOffset);
  }
  glyph_sink = sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool started = [] {
    StartupFreeTypeModule();
    New<InputFactory>();
    return true;
  }();
  static_cast<void>(started);
  if (size < 1) return 0;
  fontData = data + 1;
  fontSize = static_cast<int>(size - 1);
  const int pixelSize = 4 + data[0] % 60;
  try {
    const Ref<TFreeTypeFont> font = TFreeTypeFont::Load(u"fuzz::font", pixelSize, data[0] >> 6);
    if (font) {
      ReadGlyphs(*font);
      ShapeLine(pixelSize, data[0] >> 6);
    }
  } catch (const TException&) {
    // A clear refusal; anything else is a finding.
  }
  return 0;
}
