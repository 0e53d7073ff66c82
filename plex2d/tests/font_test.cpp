// Font loaders and image fonts without a display.
#include <gtest/gtest.h>

#include <corvax/plex2d/plex2d_module.h>
#include <corvax/stream/embedded_files.h>

namespace corvax {
namespace {

// A source font of two glyphs: 'x' with a 3 x 2 picture, ' ' without one.
class TTinyFont : public TFont {
 public:
  class TTinyGlyph : public TGlyph {
   public:
    explicit TTinyGlyph(bool pixels) : pixels_(pixels) {}
    Ref<Object> GlyphPixels() override {
      return pixels_ ? Ref<Object>(PixmapCreate(3, 2, FORMAT_ALPHA8)) : nullptr;
    }
    float GlyphAdvance() override { return 4.5f; }
    void GlyphRect(int& x, int& y, int& w, int& h) override {
      x = 1;
      y = -2;
      w = pixels_ ? 3 : 0;
      h = pixels_ ? 2 : 0;
    }

   private:
    bool pixels_;
  };

  int FontStyle() override { return 9; }
  int FontHeight() override { return 11; }
  int GlyphCount() override { return 2; }
  int GlyphIndexOf(int c) override { return c == 'x' ? 0 : c == ' ' ? 1 : -1; }
  Ref<TGlyph> GlyphAt(int index) override {
    ++made;
    return New<TTinyGlyph>(index == 0);
  }
  int made = 0;
};

class TTinyLoader : public TFontLoader {
 public:
  explicit TTinyLoader(String accepts) : accepts_(std::move(accepts)) {}
  Ref<TFont> LoadSourceFont(const Url& url, int, int) override {
    ++asked;
    return UnboxString(url.AsObject()) == accepts_ ? New<TTinyFont>() : nullptr;
  }
  int asked = 0;

 private:
  String accepts_;
};

TEST(Fonts, LoadersAreAskedNewestFirstAndChainedOnce) {
  StartupImageFontModule();
  const Ref<TTinyLoader> older = New<TTinyLoader>(u"older");
  const Ref<TTinyLoader> newer = New<TTinyLoader>(u"newer");
  AddFontLoader(older);
  AddFontLoader(newer);
  AddFontLoader(newer);
  // Adding the oldest again must not loop the chain back on itself.
  AddFontLoader(older);
  EXPECT_EQ(FirstFontLoader(), newer);
  EXPECT_EQ(newer->NextLoader(), older);

  EXPECT_TRUE(LoadSourceFontAny(u"older", 10, 0));
  EXPECT_EQ(newer->asked, 1);
  EXPECT_EQ(older->asked, 1);
  EXPECT_TRUE(LoadSourceFontAny(u"newer", 10, 0));
  EXPECT_EQ(older->asked, 1);
  EXPECT_FALSE(LoadImageFont(u"nobody", 10, 0));
}

TEST(Fonts, ImageFontsMakeGlyphImagesOnDemand) {
  StartupImageFontModule();
  AddFontLoader(New<TTinyLoader>(u"tiny"));
  const Ref<TImageFont> font = LoadImageFont(u"tiny", 10, FONT_SMOOTH | 1);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->FontStyle(), 9);
  EXPECT_EQ(font->FontHeight(), 11);
  EXPECT_EQ(font->GlyphCount(), 2);
  EXPECT_EQ(font->GlyphImageFlags(), IMAGE_FILTERED | IMAGE_MIPMAPPED);
  const auto* source = static_cast<TTinyFont*>(font->SourceFont().get());
  EXPECT_EQ(source->made, 0);

  const Ref<TImageGlyph> x = font->ImageGlyphAt(0);
  EXPECT_EQ(font->ImageGlyphAt(0), x);
  EXPECT_EQ(source->made, 1);
  ASSERT_TRUE(x->Image());
  EXPECT_EQ(x->Image()->Width(), 3);
  EXPECT_EQ(x->Image()->Flags(), IMAGE_FILTERED | IMAGE_MIPMAPPED);
  EXPECT_EQ(x->Advance(), 4.5f);
  int gx = 0, gy = 0, gw = 0, gh = 0;
  x->Rect(gx, gy, gw, gh);
  EXPECT_EQ(gy, -2);
  EXPECT_FALSE(font->ImageGlyphAt(1)->Image());
  EXPECT_THROW(font->ImageGlyphAt(2), TArrayBoundsException);
  EXPECT_EQ(LoadImageFont(u"tiny", 10, 0)->GlyphImageFlags(), 0);
}

TEST(Fonts, TheBuiltInFontHoldsTheEmbeddedGlyphs) {
  StartupImageFontModule();
  const Ref<TImageFont> font = TImageFont::BuiltInFont();
  EXPECT_EQ(font->GlyphCount(), 96);
  EXPECT_EQ(font->FontHeight(), 16);
  EXPECT_EQ(font->FontStyle(), 0);
  EXPECT_EQ(font->GlyphIndexOf(127), 95);
  EXPECT_EQ(font->GlyphIndexOf(' '), 0);
  EXPECT_EQ(font->GlyphIndexOf(31), -1);
  EXPECT_EQ(font->GlyphIndexOf(128), -1);

  // Each glyph's picture is the file's bits: lit opaque white, unlit transparent.
  const auto* bits = static_cast<const std::uint8_t*>(EmbeddedFileData(u"corvfont.bin"));
  ASSERT_NE(bits, nullptr);
  ASSERT_EQ(EmbeddedFileSize(u"corvfont.bin"), BUILT_IN_FONT_BYTES);
  int lit = 0;
  for (const char c : {'A', 'g', '~'}) {
    const Ref<TImageGlyph> glyph = font->ImageGlyphAt(c - 32);
    EXPECT_EQ(glyph->Advance(), 8.0f);
    const Ref<TPixmap> picture = glyph->Image()->FramePixmap(0);
    for (int row = 0; row < 16; ++row) {
      for (int k = 0; k < 8; ++k) {
        const bool on = (bits[row * 96 + (c - 32)] >> k) & 1;
        lit += on;
        EXPECT_EQ(picture->GetPixel(k, row), on ? 0xFFFFFFFFu : 0u) << c << row << k;
      }
    }
  }
  EXPECT_GT(lit, 20);
}

}  // namespace
}  // namespace corvax
