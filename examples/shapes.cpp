// Shapes and colours: points, lines, rectangles, ovals and polygons, with draw colour, alpha and
// line thickness. Escape ends it.
#include <corvax/corvax.h>
using namespace corvax;

void Main() {
  StartupCorvax();
  OpenGraphics(320, 240, 0, 60);  // a 320 x 240 window
  SetClearColor(240, 240, 230);   // the colour ClearScreen fills with

  while (KeyHitCount(KEY_ESCAPE) == 0) {
    ClearScreen();
    SetBlendMode(BLEND_SOLID);  // pixels replace what is there

    SetDrawColor(200, 40, 40);  // red, green, blue, 0-255
    FillRect(20, 20, 80, 50);
    SetDrawColor(40, 150, 60);
    FillOval(120, 20, 80, 50);
    SetDrawColor(40, 70, 200);
    FillPolygon({220.0f, 70.0f, 260.0f, 20.0f, 300.0f, 70.0f});  // x0, y0, x1, y1, ...

    SetDrawColor(0, 0, 0);
    for (int i = 0; i < 5; ++i) {
      SetLineThickness(1.0f + i);  // thicker line each time
      DrawLineSegment(20, 100.0f + i * 12, 300, 100.0f + i * 12);
    }
    for (int x = 20; x < 300; x += 4) PlotPoint(static_cast<float>(x), 170);

    // Half-transparent squares need a blend mode that mixes with the screen.
    SetBlendMode(BLEND_ALPHA);
    SetDrawAlpha(0.5f);
    SetDrawColor(255, 140, 0);
    FillRect(60, 180, 80, 40);
    SetDrawColor(0, 120, 255);
    FillRect(100, 195, 80, 40);
    SetDrawAlpha(1.0f);

    PresentFrame();  // show the frame, paced to the display
  }
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
