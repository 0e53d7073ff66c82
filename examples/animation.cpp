// Animation strips: one PNG holding several equal cells becomes an image with one frame per
// cell; each frame of the loop draws the next one. Escape ends it.
#include <corvax/corvax.h>
using namespace corvax;

void Main() {
  StartupCorvax();
  OpenGraphics(320, 120, 0, 60);

  // runner.png holds 4 cells of 32 x 32 in a row: cells 0 to 3 become frames 0 to 3.
  Ref<TImage> runner = LoadImageStrip("runner.png", 32, 32, 0, 4, 0);
  if (!runner) {
    PrintLine(u"animation: cannot load runner.png");
    return;
  }
  CentreImageHandle(runner);

  SetClearColor(30, 30, 30);
  SetBlendMode(BLEND_ALPHA);  // the strip has its own alpha
  SetDrawColor(255, 255, 255);
  for (int tick = 0; KeyHitCount(KEY_ESCAPE) == 0; ++tick) {
    ClearScreen();
    // Every frame side by side, then one that steps through them, scaled up.
    for (int frame = 0; frame < 4; ++frame) DrawImageAt(runner, 30.0f + frame * 40, 40, frame);
    SetScaleFactors(2, 2);
    DrawImageAt(runner, 250, 60, (tick / 8) % 4);  // a new frame every 8 display frames
    SetScaleFactors(1, 1);
    PresentFrame();
  }
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
