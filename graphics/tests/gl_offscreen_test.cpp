// Graphics without a display still open when the user names SDL's offscreen driver: rendering
// for pictures, not for people.
#include <gtest/gtest.h>

#include <cstdlib>

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <corvax/graphics/graphics_module.h>

namespace corvax {
namespace {

TEST(GLOffscreen, ANamedOffscreenDriverRendersWithoutADisplay) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  StartupGraphicsModule();
  const Ref<TGraphics> graphics = OpenGraphics(32, 16, 0, 0);
  if (!graphics) GTEST_SKIP() << "no offscreen OpenGL here: " << SDL_GetError();
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  unsigned char rgba[4] = {};
  glReadPixels(31, 15, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  EXPECT_EQ(rgba[0], 255);
  EXPECT_EQ(rgba[1], 0);
  PresentFrame(-1);
  CloseDefaultGraphics();
}

}  // namespace
}  // namespace corvax
