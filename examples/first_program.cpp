// A first program: a window, a picture, a sound, and a loop that runs until Escape.
#include <corvax/corvax.h>
using namespace corvax;

void Main() {
  StartupCorvax();                // every module, in the start-up order
  OpenGraphics(320, 240, 0, 60);  // depth 0: a window, not full screen
  SetMaskRGB(255, 0, 255);        // magenta pixels become transparent
  Ref<TImage> ball = LoadImageFromUrl("ball.png", IMAGE_MASK);
  Ref<TSound> tone = OpenSound("tone.wav", SOUND_ONCE);
  StartSound(tone);  // silent, not an error, without a sound device
  SetBlendMode(BLEND_MASK);
  while (KeyHitCount(KEY_ESCAPE) == 0) {
    SetClearColor(20, 40, 90);
    ClearScreen();
    DrawImageAt(ball, 136, 96);
    DrawTextAt(u"Escape ends", 8, 8);
    PresentFrame();
  }
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
