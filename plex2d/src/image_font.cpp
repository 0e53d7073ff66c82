#include <corvax/plex2d/image_font.h>
#include <corvax/runtime/start_once.h>

#include <algorithm>

#include <corvax/plex2d/plex2d_graphics.h>
#include <corvax/stream/embedded_files.h>

namespace corvax {
namespace embedded {
bool RegisterCorvfontBin();
}

namespace {

constexpr int kFirstChar = 32;
constexpr int kCharCount = 96;
constexpr int kCellWidth = 8;
constexpr int kCellHeight = 16;

// The font file as a 768 x 16 RGBA strip: lit pixels opaque white, the rest transparent.
Ref<TPixmap> BuiltInFontStrip() {
  const auto* bits = static_cast<const std::uint8_t*>(EmbeddedFileData(u"corvfont.bin"));
  if (!bits || EmbeddedFileSize(u"corvfont.bin") != BUILT_IN_FONT_BYTES) {
    ThrowRuntimeError(u"The built-in font \"corvfont.bin\" is missing");
  }
  Ref<TPixmap> strip = PixmapCreate(kCharCount * kCellWidth, kCellHeight, FORMAT_RGBA8888);
  for (int row = 0; row < kCellHeight; ++row) {
    for (int c = 0; c < kCharCount; ++c) {
      const std::uint8_t byte = bits[row * kCharCount + c];
      for (int k = 0; k < kCellWidth; ++k) {
        strip->SetPixel(c * kCellWidth + k, row, (byte >> k) & 1 ? 0xFFFFFFFFu : 0u);
      }
    }
  }
  return strip;
}

}  // namespace

TImageFont::TImageFont(Ref<TFont> source, int glyphCount, int glyphImageFlags)
    : source_(std::move(source)),
      glyphs_(static_cast<std::size_t>(std::max(glyphCount, 0))),
      glyphImageFlags_(glyphImageFlags) {}

int TImageFont::FontStyle() {
  return source_ ? source_->FontStyle() : 0;
}

int TImageFont::FontHeight() {
  return source_ ? source_->FontHeight() : kCellHeight;
}

int TImageFont::GlyphCount() {
  return glyphs_.Length();
}

int TImageFont::GlyphIndexOf(int character) {
  if (source_) return source_->GlyphIndexOf(character);
  return character >= kFirstChar && character < kFirstChar + kCharCount ? character - kFirstChar
                                                                        : -1;
}

Ref<TImageGlyph> TImageFont::ImageGlyphAt(int index) {
  Ref<TImageGlyph>& slot = glyphs_[index];
  if (slot || !source_) return slot;
  const Ref<TGlyph> glyph = source_->GlyphAt(index);
  int x = 0, y = 0, w = 0, h = 0;
  glyph->GlyphRect(x, y, w, h);
  Ref<TImage> image;
  if (const Ref<TPixmap> pixels = Cast<TPixmap>(glyph->GlyphPixels())) {
    image = TImage::LoadImageObject(pixels->Clone(), glyphImageFlags_, 0, 0, 0);
  }
  slot = New<TImageGlyph>(image, glyph->GlyphAdvance(), x, y, w, h);
  return slot;
}

void TImageFont::DrawString(const String& text, float x, float y, float ix, float iy, float jx,
                            float jy) {
  for (char16_t c : text) {
    const int index = GlyphIndexOf(c);
    if (index < 0) continue;
    const Ref<TImageGlyph> glyph = ImageGlyphAt(index);
    const Ref<TImage>& image = glyph->Image();
    if (image) {
      if (const Ref<TImageFrame> frame = image->FrameFor(0)) {
        int gx = 0, gy = 0, gw = 0, gh = 0;
        glyph->Rect(gx, gy, gw, gh);
        frame->RenderFrame(0, 0, static_cast<float>(image->Width()),
                           static_cast<float>(image->Height()), x + (gx * ix + gy * iy),
                           y + (gx * jx + gy * jy));
      }
    }
    x += glyph->Advance() * ix;
    y += glyph->Advance() * jx;
  }
}

ImageFlags TImageFont::GlyphImageFlagsFor(FontStyleFlags style) {
  return style & FONT_SMOOTH ? IMAGE_FILTERED | IMAGE_MIPMAPPED : 0;
}

int TImageFont::TextWidth(const String& text) {
  int width = 0;
  for (char16_t c : text) {
    const int index = GlyphIndexOf(c);
    if (index < 0) continue;
    width = static_cast<int>(static_cast<float>(ImageGlyphAt(index)->Advance() + width));
  }
  return width;
}

int TImageFont::TextHeight(const String&) {
  return FontHeight();
}

Ref<TImageFont> TImageFont::LoadImageFont(const Url& url, int size, int style) {
  Ref<TFont> source = LoadSourceFontAny(url, size, style);
  if (!source) return nullptr;
  const int glyphCount = source->GlyphCount();
  return Ref<TImageFont>(new TImageFont(std::move(source), glyphCount, GlyphImageFlagsFor(style)));
}

Ref<TImageFont> TImageFont::BuiltInFont() {
  const Ref<TPixmap> strip = BuiltInFontStrip();
  Ref<TImageFont> font(new TImageFont(nullptr, kCharCount, 0));
  for (int i = 0; i < kCharCount; ++i) {
    const Ref<TPixmap> cell = strip->SubWindow(kCellWidth * i, 0, kCellWidth, kCellHeight);
    font->glyphs_[i] =
        New<TImageGlyph>(TImage::LoadImageObject(cell->Clone(), 0, 0, 0, 0),
                         static_cast<float>(kCellWidth), 0, 0, kCellWidth, kCellHeight);
  }
  return font;
}

void StartupImageFontModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  embedded::RegisterCorvfontBin();
  StartupFontModule();
  StartupImageModule();
}

}  // namespace corvax
