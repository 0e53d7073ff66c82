// CORVAX_RUN_RECORD=<file> records the run there and saves its frames into the folder
// CORVAX_RUN_FRAMES; CORVAX_RUN_REPLAY=<file> replays it as fast as it draws and compares each
// frame with the saved one. A replay that diverges, draws a different frame or another number
// of frames ends the program with status 1 and says why.
#include "run_frames.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <corvax/corvax.h>

namespace {

using namespace corvax;

std::string framesFolder;
int mismatches = 0;

std::string FramePath(int index) {
  std::string number = std::to_string(index);
  number.insert(0, kCaptureIndexDigits - std::min<int>(kCaptureIndexDigits, number.size()), '0');
  return framesFolder + "/frame-" + number + ".png";
}

std::string CountPath() {
  return framesFolder + "/count";
}

// The first difference, or nothing: every pixel exactly as recorded.
std::string Difference(const Ref<TPixmap>& frame, const Ref<TPixmap>& recorded) {
  if (!recorded) return "no recorded frame";
  if (PixmapGetWidth(frame) != PixmapGetWidth(recorded) ||
      PixmapGetHeight(frame) != PixmapGetHeight(recorded)) {
    return "another size";
  }
  for (int y = 0; y < PixmapGetHeight(frame); ++y) {
    for (int x = 0; x < PixmapGetWidth(frame); ++x) {
      const ARGB drawn = PixmapReadPixel(frame, x, y);
      const ARGB expected = PixmapReadPixel(recorded, x, y);
      if (drawn != expected) {
        char text[96];
        std::snprintf(text, sizeof text, "pixel %d,%d is %08X, recorded %08X", x, y, drawn,
                      expected);
        return text;
      }
    }
  }
  return "";
}

void CompareFrame(const Ref<TPixmap>& frame, int index) {
  const std::string difference = Difference(frame, PixmapLoad(FramePath(index).c_str()));
  if (difference.empty()) return;
  if (++mismatches == 1)
    std::fprintf(stderr, "run: frame %d differs: %s\n", index, difference.c_str());
}

void SaveCount() {
  StopCapture();
  std::ofstream(CountPath()) << CapturedFrameCount() << "\n";
  std::printf("run: recorded %d frames\n", CapturedFrameCount());
}

// Runs last at exit, after the replay has said whether the program ended early.
void CheckReplay() {
  StopCapture();
  int recorded = -1;
  std::ifstream(CountPath()) >> recorded;
  const int replayed = CapturedFrameCount();
  bool good = mismatches == 0 && !ReplayDiverged() && replayed == recorded;
  if (replayed != recorded) {
    std::fprintf(stderr, "run: replayed %d frames, recorded %d\n", replayed, recorded);
  }
  std::printf("run: replayed %d frames, %d differ from the recording%s\n", replayed, mismatches,
              ReplayDiverged() ? ", and the replay diverged" : "");
  std::fflush(stdout);
  std::fflush(stderr);
  if (!good) std::_Exit(1);
}

}  // namespace

bool StartRunFrames() {
  const char* record = std::getenv("CORVAX_RUN_RECORD");
  const char* replay = std::getenv("CORVAX_RUN_REPLAY");
  const char* folder = std::getenv("CORVAX_RUN_FRAMES");
  if ((!record && !replay) || !folder) return false;
  framesFolder = folder;
  if (record) {
    if (!RecordRun(record)) std::_Exit(1);
    CaptureToPng(FromUtf8(framesFolder + "/frame-#.png"));
    AddExitAction(&SaveCount);
    return true;
  }
  AddExitAction(&CheckReplay);
  if (!ReplayRun(replay)) std::_Exit(1);
  CaptureToSink(&CompareFrame);
  return true;
}
