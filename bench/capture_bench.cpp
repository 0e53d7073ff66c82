// Capturing a 640x480 frame beside a plain glReadPixels of the same frame, in the same run. A
// capture's cost per frame is the work the frame hook does before the present: reading the back
// buffer and handing it on (to the program's function, or to the PNG or GIF encoder).
// Run under Xvfb with Mesa: the ratio tells the capture's overhead, not the display's speed.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include <GL/gl.h>

#include <corvax/graphics/graphics_module.h>
#include <corvax/plex2d/plex2d_module.h>
#include <corvax/system/hook.h>

namespace {

using namespace corvax;

constexpr int kWidth = 640;
constexpr int kHeight = 480;

// A frame with some colours in it, as a game's would have.
bool FrameReady(benchmark::State& state) {
  StartupPlex2DModule();
  SelectGraphicsDriver(GLPlex2DDriver(), 2);
  if (!OpenGraphics(kWidth, kHeight, 0, 0)) {
    state.SkipWithError("graphics cannot be opened (no display?)");
    return false;
  }
  SetClearColor(30, 90, 170);
  ClearScreen();
  for (int i = 0; i < 40; ++i) {
    SetDrawColor(i * 6, 255 - i * 5, (i * 37) % 256);
    FillOval(static_cast<float>((i * 53) % (kWidth - 60)),
             static_cast<float>((i * 29) % (kHeight - 60)), 60, 60);
  }
  glFinish();
  return true;
}

std::string Scratch(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

void PlainGlReadPixels(benchmark::State& state) {
  if (!FrameReady(state)) return;
  std::vector<unsigned char> pixels(static_cast<std::size_t>(kWidth) * kHeight * 4);
  for (auto _ : state) {
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    benchmark::DoNotOptimize(pixels.data());
  }
  CloseDefaultGraphics();
}
BENCHMARK(PlainGlReadPixels)->UseRealTime()->Unit(benchmark::kMicrosecond);

// The frame hook with a capture running, as PresentFrame runs it.
void CaptureFrames(benchmark::State& state) {
  RunHookChain(FrameHookId(), nullptr);  // the first frame may set things up
  for (auto _ : state) RunHookChain(FrameHookId(), nullptr);
  StopCapture();
  CloseDefaultGraphics();
}

void CaptureToTheProgram(benchmark::State& state) {
  if (!FrameReady(state)) return;
  CaptureToSink([](const Ref<TPixmap>& frame, int) { benchmark::DoNotOptimize(frame.get()); });
  CaptureFrames(state);
}
BENCHMARK(CaptureToTheProgram)->UseRealTime()->Unit(benchmark::kMicrosecond);

void CaptureToPngFiles(benchmark::State& state) {
  if (!FrameReady(state)) return;
  CaptureToPng(FromUtf8(Scratch("corvax-capture-bench.png")), {.count = 0});
  // The index goes into each name; the files are removed afterwards.
  CaptureFrames(state);
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::temp_directory_path())) {
    if (entry.path().filename().string().rfind("corvax-capture-bench", 0) == 0) {
      std::filesystem::remove(entry.path());
    }
  }
}
BENCHMARK(CaptureToPngFiles)->UseRealTime()->Unit(benchmark::kMicrosecond);

void CaptureToAGif(benchmark::State& state) {
  if (!FrameReady(state)) return;
  const std::string path = Scratch("corvax-capture-bench.gif");
  CaptureToGif(path.c_str());
  CaptureFrames(state);
  std::filesystem::remove(path);
}
BENCHMARK(CaptureToAGif)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
