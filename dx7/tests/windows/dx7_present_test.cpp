// Where DirectDraw can be had (Wine's included), starting the module makes the DirectX 7
// drivers current.
#include <gtest/gtest.h>

#include <corvax/dx7/dx7_module.h>
#include <corvax/graphics/graphics_core.h>

namespace corvax {
namespace {

TEST(DX7Present, WineDirectDrawMakesTheDriverCurrent) {
  StartupDX7Module();
  ASSERT_TRUE(D3D7GraphicsDriver());
  ASSERT_TRUE(D3D7Plex2DDriver());
  EXPECT_EQ(CurrentGraphicsDriver()->ToString(), u"DirectX7");
}

}  // namespace
}  // namespace corvax
