// Images: load a PNG, draw it rotated and scaled, with each blend mode, with and without a
// mask colour. Escape ends it.
#include <corvax/corvax.h>
using namespace corvax;

void Main() {
  StartupCorvax();
  OpenGraphics(400, 300, 0, 60);

  // The mask colour is taken when an image loads: with IMAGE_MASK its pixels become
  // transparent. ball.png is an orange ball on magenta.
  SetMaskRGB(255, 0, 255);
  Ref<TImage> masked = LoadImageFromUrl("ball.png", IMAGE_MASK);
  Ref<TImage> plain = LoadImageFromUrl("ball.png", 0);
  if (!masked || !plain) {
    PrintLine(u"images: cannot load ball.png");
    return;
  }
  CentreImageHandle(masked);  // rotate and scale about the middle, draw at the centre point
  CentreImageHandle(plain);

  const int modes[] = {BLEND_MASK, BLEND_SOLID, BLEND_ALPHA, BLEND_ADDITIVE, BLEND_MULTIPLY};
  const char16_t* names[] = {u"mask", u"solid", u"alpha", u"add", u"multiply"};

  SetClearColor(90, 110, 140);
  while (KeyHitCount(KEY_ESCAPE) == 0) {
    ClearScreen();
    SetDrawColor(255, 255, 255);  // images are tinted by the draw colour: white leaves them be

    // Unmasked: the magenta background shows.
    SetBlendMode(BLEND_SOLID);
    DrawImageAt(plain, 40, 60);

    // Rotated by 30 degrees, then scaled to twice the width.
    SetRotationAngle(30);
    DrawImageAt(plain, 140, 60);
    SetBlendMode(BLEND_MASK);
    SetRotationAndScale(0, 2.0f, 1.0f);
    DrawImageAt(masked, 260, 60);
    SetRotationAndScale(0, 1, 1);  // back to plain drawing

    // One ball per blend mode, half transparent where the mode uses alpha.
    SetDrawAlpha(0.6f);
    for (int i = 0; i < 5; ++i) {
      SetBlendMode(modes[i]);
      DrawImageAt(masked, 40.0f + i * 80, 200);
      SetBlendMode(BLEND_MASK);
      DrawTextAt(names[i], 10.0f + i * 80, 240);
    }
    SetDrawAlpha(1);
    PresentFrame();
  }
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
