// Presenting a frame through the graphics core (frame hook, driver, per-context swap interval)
// beside a raw SDL_GL_SwapWindow on a window of the same size; and opening and closing
// windowed graphics beside creating and destroying the same SDL window and context directly.
// Run under Xvfb with Mesa: the figures tell the framework's overhead, not the display's speed.
#include <benchmark/benchmark.h>

#include <GL/gl.h>
#include <SDL2/SDL.h>

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

}  // namespace
