// Presenting a frame through the graphics core (frame hook, driver, per-context swap interval)
// beside a raw SDL_GL_SwapWindow on a window of the same size; opening and closing windowed
// graphics beside creating and destroying the same SDL window and context directly; paced
// presents at 72 Hz beside a loop that sleeps to absolute deadlines on the same schedule; and
// opening full-screen graphics, sync test included, beside opening a full-screen SDL window.
// Run under Xvfb with Mesa: the figures tell the framework's overhead, not the display's speed.
#include <benchmark/benchmark.h>
#include <time.h>

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include <corvax/graphics/graphics_module.h>

namespace {

using namespace corvax;

constexpr int kSide = 64;

bool GraphicsReady(benchmark::State& state) {
  StartupGraphicsModule();
  SelectGraphicsDriver(GLGraphicsDriver(), 2);
  if (OpenGraphics(kSide, kSide, 0, 0)) return true;
  state.SkipWithError("graphics cannot be opened (no display?)");
  return false;
}

void PresentFrameThroughTheCore(benchmark::State& state) {
  if (!GraphicsReady(state)) return;
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);
    PresentFrame(0);
  }
  state.SetItemsProcessed(state.iterations());
  CloseDefaultGraphics();
}
BENCHMARK(PresentFrameThroughTheCore);

void RawSwapWindow(benchmark::State& state) {
  // The core opens the window, so SDL video runs; the swap itself goes straight to SDL.
  if (!GraphicsReady(state)) return;
  SDL_Window* window = Cast<TGLGraphics>(DefaultGraphics())->Window();
  SDL_GL_SetSwapInterval(0);
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
  }
  state.SetItemsProcessed(state.iterations());
  CloseDefaultGraphics();
}
BENCHMARK(RawSwapWindow);

void OpenAndCloseWindowedGraphics(benchmark::State& state) {
  if (!GraphicsReady(state)) return;
  CloseDefaultGraphics();
  for (auto _ : state) {
    benchmark::DoNotOptimize(OpenGraphics(kSide, kSide, 0, 0).get());
    CloseDefaultGraphics();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(OpenAndCloseWindowedGraphics)->Unit(benchmark::kMillisecond);

void RawCreateAndDestroyWindowAndContext(benchmark::State& state) {
  if (!GraphicsReady(state)) return;
  CloseDefaultGraphics();
  for (auto _ : state) {
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window = SDL_CreateWindow("", 32, 32, kSide, kSide, SDL_WINDOW_OPENGL);
    SDL_GLContext context = SDL_GL_CreateContext(window);
    benchmark::DoNotOptimize(context);
    SDL_GL_MakeCurrent(nullptr, nullptr);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(RawCreateAndDestroyWindowAndContext)->Unit(benchmark::kMillisecond);

constexpr int kPacedHertz = 72;
constexpr int kPacedFrames = 10 * kPacedHertz;
constexpr std::int64_t kNanosecondsPerMillisecond = 1000000;

std::int64_t MonotonicNow() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// The schedule both loops keep: whole milliseconds a frame, the second's remainder spread so
// that every second holds exactly `hertz` frames (13 or 14 ms at 72 Hz).
std::vector<int> SlotMilliseconds(int hertz, int frames) {
  const int frameMs = 1000 / hertz;
  const int step = 1000 - frameMs * hertz;
  std::vector<int> slots;
  int accumulator = 0;
  for (int i = 0; i < frames; ++i) {
    accumulator += step;
    const bool extra = accumulator >= hertz;
    if (extra) accumulator -= hertz;
    slots.push_back(frameMs + (extra ? 1 : 0));
  }
  return slots;
}

// Deviation of every interval between presents from its slot's length.
void ReportIntervals(benchmark::State& state, const std::vector<std::int64_t>& presented) {
  const std::vector<int> slots = SlotMilliseconds(kPacedHertz, static_cast<int>(presented.size()));
  std::vector<double> deviations;
  for (std::size_t i = 1; i < presented.size(); ++i) {
    const double interval = static_cast<double>(presented[i] - presented[i - 1]) / 1e6;
    deviations.push_back(std::fabs(interval - slots[i]));
  }
  std::sort(deviations.begin(), deviations.end());
  state.counters["p50_dev_ms"] = deviations[deviations.size() / 2];
  state.counters["p99_dev_ms"] = deviations[deviations.size() * 99 / 100];
  state.counters["max_dev_ms"] = deviations.back();
  state.counters["frames_per_s"] = static_cast<double>(presented.size() - 1) * 1e9 /
                                   static_cast<double>(presented.back() - presented.front());
}

// 72 Hz paced presents through the core: the frame hook, the schedule, the sleep, the present.
// A frame's own work: clearing the window when there is one to draw into, else a wait of up
// to 3 ms that differs from frame to frame, as a program's frames take more or less time.
void FrameWork(bool window, int frame) {
  if (window) {
    glClear(GL_COLOR_BUFFER_BIT);
    return;
  }
  const long microseconds = (frame * 7919L) % 3000;
  const timespec wait{0, microseconds * 1000};
  nanosleep(&wait, nullptr);
}

std::vector<std::int64_t> PacedFramesThroughTheCore(bool window) {
  std::vector<std::int64_t> presented;
  for (int frame = 0; frame < kPacedFrames; ++frame) {
    FrameWork(window, frame);
    PresentFrame(-1);
    presented.push_back(MonotonicNow());
  }
  return presented;
}

// The baseline: the same schedule kept by sleeping to absolute deadlines, then presenting.
template <class Present>
std::vector<std::int64_t> AbsoluteDeadlineFrames(bool window, Present present) {
  const std::vector<int> slots = SlotMilliseconds(kPacedHertz, kPacedFrames);
  std::vector<std::int64_t> presented;
  std::int64_t deadline = MonotonicNow();
  for (int frame = 0; frame < kPacedFrames; ++frame) {
    FrameWork(window, frame);
    deadline += slots[frame] * kNanosecondsPerMillisecond;
    const timespec until{static_cast<time_t>(deadline / 1000000000),
                         static_cast<long>(deadline % 1000000000)};
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
    present();
    presented.push_back(MonotonicNow());
  }
  return presented;
}

void PacedPresentThroughTheCore(benchmark::State& state) {
  StartupGraphicsModule();
  SelectGraphicsDriver(GLGraphicsDriver(), 2);
  if (!OpenGraphics(kSide, kSide, 0, kPacedHertz)) {
    state.SkipWithError("graphics cannot be opened (no display?)");
    return;
  }
  std::vector<std::int64_t> presented;
  for (auto _ : state) presented = PacedFramesThroughTheCore(true);
  ReportIntervals(state, presented);
  CloseDefaultGraphics();
}
BENCHMARK(PacedPresentThroughTheCore)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void AbsoluteDeadlineLoop(benchmark::State& state) {
  if (!GraphicsReady(state)) return;
  SDL_Window* window = Cast<TGLGraphics>(DefaultGraphics())->Window();
  SDL_GL_SetSwapInterval(0);
  std::vector<std::int64_t> presented;
  for (auto _ : state) presented = AbsoluteDeadlineFrames(true, [&] { SDL_GL_SwapWindow(window); });
  ReportIntervals(state, presented);
  CloseDefaultGraphics();
}
BENCHMARK(AbsoluteDeadlineLoop)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The same two without a display: a driver whose present does nothing, so the intervals show
// the wake-ups alone, free of the X server's share of a present.
class IdleGraphicsDriver;

class IdleGraphics : public TGraphics {
 public:
  explicit IdleGraphics(Ref<TGraphicsDriver> driver) : driver_(std::move(driver)) {}
  Ref<TGraphicsDriver> Driver() const override { return driver_; }
  void GetSettings(int& width, int& height, int& depth, int& hertz, int& flags) override {
    width = kSide;
    height = kSide;
    depth = 0;
    hertz = kPacedHertz;
    flags = 0;
  }
  void CloseContext() override {}

 private:
  Ref<TGraphicsDriver> driver_;
};

class IdleGraphicsDriver : public TGraphicsDriver {
 public:
  Array<Ref<TGraphicsMode>> EnumerateModes() override { return {}; }
  Ref<TGraphics> AttachToWindow(int, int) override { return nullptr; }
  Ref<TGraphics> CreateContext(int, int, int, int, int) override {
    return New<IdleGraphics>(Ref<TGraphicsDriver>(this));
  }
  void SelectContext(const Ref<TGraphics>&) override {}
  void Present(int) override {}
};

void PacedWakeThroughTheCore(benchmark::State& state) {
  StartupGraphicsModule();
  SelectGraphicsDriver(New<IdleGraphicsDriver>(), 0);
  OpenGraphics(kSide, kSide, 0, kPacedHertz);
  std::vector<std::int64_t> woke;
  for (auto _ : state) woke = PacedFramesThroughTheCore(false);
  ReportIntervals(state, woke);
  CloseDefaultGraphics();
  SelectGraphicsDriver(GLGraphicsDriver(), 2);
}
BENCHMARK(PacedWakeThroughTheCore)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void AbsoluteDeadlineWake(benchmark::State& state) {
  std::vector<std::int64_t> woke;
  for (auto _ : state) woke = AbsoluteDeadlineFrames(false, [] {});
  ReportIntervals(state, woke);
}
BENCHMARK(AbsoluteDeadlineWake)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The display's own size always has a full-screen mode; Xvfb offers no other.
SDL_DisplayMode DesktopMode() {
  SDL_DisplayMode mode{};
  SDL_GetDesktopDisplayMode(0, &mode);
  return mode;
}

// Timed from the request to the first frame shown; closing is not part of the figure.
void OpenFullScreenGraphicsAt72Hz(benchmark::State& state) {
  if (!GraphicsReady(state)) return;
  CloseDefaultGraphics();
  const SDL_DisplayMode desktop = DesktopMode();
  for (auto _ : state) {
    const std::int64_t start = MonotonicNow();
    if (!OpenGraphics(desktop.w, desktop.h, 32, kPacedHertz)) {
      state.SkipWithError("full-screen graphics cannot be opened");
      return;
    }
    glClear(GL_COLOR_BUFFER_BIT);
    PresentFrame(-1);
    glFinish();
    state.SetIterationTime(static_cast<double>(MonotonicNow() - start) / 1e9);
    CloseDefaultGraphics();
  }
}
BENCHMARK(OpenFullScreenGraphicsAt72Hz)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseManualTime();

void RawFullScreenWindowAndContext(benchmark::State& state) {
  if (!GraphicsReady(state)) return;
  CloseDefaultGraphics();
  const SDL_DisplayMode desktop = DesktopMode();
  for (auto _ : state) {
    const std::int64_t start = MonotonicNow();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_Window* window =
        SDL_CreateWindow("", 0, 0, desktop.w, desktop.h, SDL_WINDOW_OPENGL | SDL_WINDOW_FULLSCREEN);
    SDL_GLContext context = SDL_GL_CreateContext(window);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
    glFinish();
    state.SetIterationTime(static_cast<double>(MonotonicNow() - start) / 1e9);
    SDL_GL_MakeCurrent(nullptr, nullptr);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
  }
}
BENCHMARK(RawFullScreenWindowAndContext)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseManualTime();

}  // namespace
