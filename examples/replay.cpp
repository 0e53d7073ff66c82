// Recording a run and playing it back. "replay record run.cvxrun" records everything the program
// is given until Escape; "replay play run.cvxrun" plays it back frame for frame, with no input of
// its own, and captures it as the animated picture run.gif. Without arguments it just runs:
// move the pointer, click to drop squares in random colours, type letters.
#include <corvax/corvax.h>
using namespace corvax;

constexpr int kTrailLength = 16;
constexpr float kSquareSide = 12;
constexpr int kMostSquares = 64;

struct Square {
  int x, y, r, g, b;
};

void Main() {
  StartupCorvax();
  const std::vector<String>& args = AppArgs();  // the program path first
  if (args.size() == 3 && args[1] == u"record") RecordRun(args[2]);
  if (args.size() == 3 && args[1] == u"play") {
    ReplayRun(args[2]);  // as fast as it draws; ReplayPace::Recorded for real time
    CaptureToGif("run.gif", {.every = 2});  // every second frame, until the program ends
  }
  OpenGraphics(320, 240, 0, 60);

  std::vector<Square> squares;
  std::vector<Point> trail;
  String typed;
  for (int frame = 0; KeyHitCount(KEY_ESCAPE) == 0; ++frame) {
    const Point pointer{static_cast<float>(PointerX()), static_cast<float>(PointerY())};
    trail.push_back(pointer);
    if (trail.size() > kTrailLength) trail.erase(trail.begin());
    if (MouseHitCount(MOUSE_LEFT) > 0 && squares.size() < kMostSquares) {
      squares.push_back(
          {PointerX(), PointerY(), RandomInt(60, 255), RandomInt(60, 255), RandomInt(60, 255)});
    }
    while (const int character = NextChar()) {
      if (character >= ' ') typed += static_cast<char16_t>(character);
    }

    SetClearColor(16, 24, 40);
    ClearScreen();
    for (const Square& square : squares) {
      SetDrawColor(square.r, square.g, square.b);
      FillRect(static_cast<float>(square.x) - kSquareSide / 2,
               static_cast<float>(square.y) - kSquareSide / 2, kSquareSide, kSquareSide);
    }
    SetDrawColor(250, 220, 90);
    for (std::size_t i = 1; i < trail.size(); ++i) DrawLineSegment(trail[i - 1], trail[i]);
    SetDrawColor(255, 255, 255);
    DrawTextAt(u"frame " + FromUtf8(std::to_string(frame)) + u"  typed: " + typed, 8, 8);
    PresentFrame();
  }
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
