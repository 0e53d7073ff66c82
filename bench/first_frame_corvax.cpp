// The framework's side of the start-up benchmark: an application that starts every module,
// opens 640x480 windowed graphics at the rate given as its argument (0: unpaced), clears,
// presents its first frame and prints the monotonic time (nanoseconds) at which it was done.
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include <corvax/app/application.h>
#include <corvax/graphics/graphics_module.h>
#include <corvax/plex2d/plex2d_module.h>
#include <corvax/runtime/application_entry.h>

namespace {

int hertz = 0;

void FirstFrame() {
  corvax::StartApplicationModules();
  if (!corvax::OpenGraphics(640, 480, 0, hertz)) {
    std::fprintf(stderr, "no graphics\n");
    std::exit(1);
  }
  corvax::ClearScreen();
  corvax::PresentFrame(-1);
  glFinish();
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) hertz = std::atoi(argv[1]);
  return corvax::RunApplication(argc, argv, &FirstFrame);
}
