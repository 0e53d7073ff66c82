// Text in any script: a Latin font with CJK, Arabic and emoji fonts behind it, shaped by
// HarfBuzz and ordered by FriBidi. Escape ends it.
#include <corvax/corvax.h>
using namespace corvax;

// From Debian's fonts-dejavu-extra, fonts-wqy-microhei, fonts-hosny-amiri, fonts-lohit-deva and
// fonts-symbola.
const char16_t* const kLatinFont = u"/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
const char16_t* const kFallbackFonts[] = {
    u"/usr/share/fonts/truetype/wqy/wqy-microhei.ttc",
    u"/usr/share/fonts/opentype/fonts-hosny-amiri/Amiri-Regular.ttf",
    u"/usr/share/fonts/truetype/lohit-devanagari/Lohit-Devanagari.ttf",
    u"/usr/share/fonts/truetype/ancient-scripts/Symbola_hint.ttf",
};

void Main() {
  StartupCorvax();
  OpenGraphics(480, 240, 0, 60);

  // A character the first font lacks comes from the first fallback that has it.
  Ref<TShapedFont> font = LoadShapedFont(kLatinFont, 24, 0);
  if (!font) {
    PrintLine(u"shaped_text: cannot load DejaVuSerif.ttf");
    return;
  }
  for (const char16_t* fallback : kFallbackFonts) {
    if (!font->AddFallbackFont(fallback))
      PrintLine(u"shaped_text: cannot load " + String(fallback));
  }

  SetClearColor(250, 250, 245);
  SetBlendMode(BLEND_ALPHA);
  while (KeyHitCount(KEY_ESCAPE) == 0) {
    ClearScreen();
    SetTextFont(font);
    SetDrawColor(0, 0, 0);
    DrawTextAt(u"office fluff AVATAR", 10, 10);  // ligatures and kerning
    SetDrawColor(20, 60, 160);
    // Arabic inside a Latin line: the Arabic reads right to left and its letters join.
    DrawTextAt(u"Hello \u0645\u0631\u062D\u0628\u0627 \u4F60\u597D \U0001F600", 10, 60);
    SetDrawColor(120, 30, 30);
    DrawTextAt(u"\u0939\u093F\u0928\u094D\u0926\u0940 \u0915\u094D\u0937", 10, 110);

    // Width and height are those of the shaped text.
    const String measured = u"\u0645\u0631\u062D\u0628\u0627 world";
    SetDrawColor(200, 230, 200);
    FillRect(10, 170, static_cast<float>(TextWidthOf(measured)),
             static_cast<float>(TextHeightOf(measured)));
    SetDrawColor(0, 90, 40);
    DrawTextAt(measured, 10, 170);
    PresentFrame();
  }
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
