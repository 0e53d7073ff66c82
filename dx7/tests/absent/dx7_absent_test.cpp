// Where DirectDraw cannot be had, the DirectX 7 drivers do not exist and starting the module
// leaves the OpenGL 2D driver current.
#include <gtest/gtest.h>

#include <corvax/dx7/dx7_module.h>
#include <corvax/graphics/graphics_core.h>

namespace corvax {
namespace {

TEST(DX7Absent, DriversAreNullAndOpenGLStaysCurrent) {
  StartupDX7Module();
  EXPECT_FALSE(D3D7GraphicsDriver());
  EXPECT_FALSE(D3D7Plex2DDriver());
  ASSERT_TRUE(CurrentGraphicsDriver());
  EXPECT_EQ(CurrentGraphicsDriver()->ToString(), u"OpenGL");
  // Starting again changes nothing.
  StartupDX7Module();
  EXPECT_EQ(CurrentGraphicsDriver()->ToString(), u"OpenGL");
}

}  // namespace
}  // namespace corvax
