// Text: the built-in image font, and a TrueType font rasterised by FreeType at two sizes.
// Escape ends it.
#include <corvax/corvax.h>
using namespace corvax;

// From Debian's fonts-dejavu-core; any TrueType or bitmap font file works.
const char* const kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

void Main() {
  StartupCorvax();
  OpenGraphics(400, 200, 0, 60);

  Ref<TImageFont> builtIn = DefaultFont();  // 8 x 16 pixels, characters 32-127
  // The font loaders (FreeType among them) are asked in turn; Null when none reads the file.
  Ref<TImageFont> large = LoadImageFont(kFontFile, 28, FONT_SMOOTH);
  Ref<TImageFont> small = LoadImageFont(kFontFile, 14, 0);
  if (!large || !small) {
    PrintLine(u"text: cannot load DejaVuSans.ttf");
    return;
  }

  SetClearColor(250, 250, 245);
  SetBlendMode(BLEND_ALPHA);  // glyphs are alpha pictures: blend their edges
  while (KeyHitCount(KEY_ESCAPE) == 0) {
    ClearScreen();
    SetDrawColor(0, 0, 0);  // text takes the draw colour

    SetTextFont(builtIn);
    DrawTextAt(u"The built-in image font", 10, 10);

    SetTextFont(large);
    SetDrawColor(20, 60, 160);
    DrawTextAt(u"FreeType, 28 pixels", 10, 50);

    SetTextFont(small);
    SetDrawColor(120, 30, 30);
    const String line = u"Text width is measured: ";
    DrawTextAt(line, 10, 110);
    // TextWidthOf measures in the current font, so text can be placed after other text.
    DrawTextAt(u"here", static_cast<float>(10 + TextWidthOf(line)), 110);

    SetTextFont(builtIn);  // scaled and rotated like any drawing
    SetRotationAndScale(-10, 2, 2);
    SetDrawColor(0, 120, 60);
    DrawTextAt(u"Scaled", 230, 170);
    SetRotationAndScale(0, 1, 1);
    PresentFrame();
  }
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
