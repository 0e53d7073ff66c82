// The entry of the examples' headless twins, which the test suite runs: the example's own main
// is renamed CorvaxExampleMain (CMakeLists.txt) and runs under a capture of its frames, either a
// recorded run or its replay (run_frames.h) or the golden-picture check (golden_frame.h).
#include <corvax/corvax.h>

#include "golden_frame.h"
#include "run_frames.h"

int CorvaxExampleMain(int argc, char** argv);

#ifdef _WIN32
// Linked in place of the DirectX 7 start-up on Windows for the twins that compare with the
// committed pictures (see CMakeLists.txt): OpenGL stays current, as those pictures need.
// NOLINTNEXTLINE(bugprone-reserved-identifier)
extern "C" void __wrap__ZN6corvax16StartupDX7ModuleEv() {}
#endif

int main(int argc, char** argv) {
  // The modules start in the order the program's own start-up gives them; the program's call
  // then does nothing.
  corvax::StartupCorvax();
  if (!StartRunFrames()) CaptureGoldenFrame();
  return CorvaxExampleMain(argc, argv);
}
