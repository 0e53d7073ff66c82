// A program that leaves its graphics open when it ends, for the tests to run as a child.
#include <cstdio>

#include <SDL2/SDL.h>

#include <corvax/graphics/graphics_module.h>
#include <corvax/runtime/runtime_module.h>

#include "opengl/gl_context.h"

namespace {

using namespace corvax;

void Main() {
  StartupGraphicsModule();
  // Runs after the graphics' own exit action, which was registered later.
  AddExitAction([] {
    std::printf("at exit: default=%s windows=%d\n", DefaultGraphics() ? "open" : "closed",
                LiveRecordCount());
    std::fflush(stdout);
  });
  const Ref<TGLGraphics> graphics = Cast<TGLGraphics>(OpenGraphics(80, 60, 0, 60));
  if (!graphics) {
    std::printf("cannot open graphics\n");
    return;
  }
  std::printf("title=%s\n", SDL_GetWindowTitle(graphics->Window()));
  for (int frame = 0; frame < 3; ++frame) PresentFrame(-1);
  // Contexts made beside the default graphics stay open: nothing closes them at exit.
  CreateGraphicsContext(20, 20, 0, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
  return RunApplication(argc, argv, &Main);
}
