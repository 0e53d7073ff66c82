// The OpenGL driver with no display: graphics cannot be opened, and nothing breaks.
#include <gtest/gtest.h>

#include <cstdlib>

#include <corvax/graphics/graphics_module.h>
#include <corvax/system/system_module.h>

namespace corvax {
namespace {

TEST(GLNoDisplay, GraphicsCannotBeOpenedAndNothingBreaks) {
  unsetenv("DISPLAY");
  unsetenv("WAYLAND_DISPLAY");
  unsetenv("SDL_VIDEODRIVER");
  StartupGraphicsModule();
  EXPECT_EQ(CurrentGraphicsDriver(), GLGraphicsDriver());
  EXPECT_EQ(GraphicsDriverFlags(), 2);
  EXPECT_FALSE(OpenGraphics(640, 480, 0, 0));
  EXPECT_FALSE(OpenGraphics(640, 480, 16, 72));
  EXPECT_FALSE(OpenGLGraphics(320, 200, 0, 60));
  EXPECT_FALSE(CreateGraphicsContext(10, 10, 0, 0, 0));
  EXPECT_FALSE(AttachGraphicsContext(1, 0));
  EXPECT_EQ(GraphicsModeCount(), 0);
  PresentFrame(-1);
  PresentFrame(1);
  GLGraphicsDriver()->SwitchSharedContext();
  GLGraphicsDriver()->SelectContext(nullptr);
  EXPECT_FALSE(DefaultGraphics());
  // The rest of the system still works.
  StartPolledInput();
  PumpSystem();
  EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 0);
  StopPolledInput();
}

}  // namespace
}  // namespace corvax
