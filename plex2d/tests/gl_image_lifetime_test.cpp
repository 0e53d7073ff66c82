// An image may outlive the graphics it was drawn in: letting it go afterwards is no fault, and
// the graphics opened next draw as before. (Where no graphics open, there is nothing to see.)
#include <gtest/gtest.h>

#include <corvax/plex2d/plex2d_module.h>

namespace corvax {
namespace {

constexpr int kSide = 64;

TEST(GLImageLifetime, AnImageLetGoAfterItsGraphicsClosedIsNoFault) {
  StartupGLPlex2DModule();
  SelectGraphicsDriver(GLPlex2DDriver(), 2);
  if (!OpenGraphics(kSide, kSide, 0, 0)) GTEST_SKIP() << "no graphics here";
  SetMaskRGB(255, 0, 0);
  Ref<TImage> image = LoadImageFromUrl(CORVAX_CURSOR_PNG, IMAGE_MASK);
  ASSERT_TRUE(image);
  DrawImageAt(image, 0, 0);
  PresentFrame(0);
  CloseDefaultGraphics();
  image = nullptr;

  ASSERT_TRUE(OpenGraphics(kSide, kSide, 0, 0));
  SetClearColor(0, 0, 255);
  ClearScreen();
  image = LoadImageFromUrl(CORVAX_CURSOR_PNG, IMAGE_MASK);
  ASSERT_TRUE(image);
  DrawImageAt(image, 0, 0);
  const Ref<TPixmap> seen = GrabPixmapAt(0, 0, kSide, kSide);
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->GetPixel(kSide - 1, kSide - 1) & 0xFFFFFFu, 0x0000FFu) << "cleared to blue";
  image = nullptr;
  CloseDefaultGraphics();
}

}  // namespace
}  // namespace corvax
