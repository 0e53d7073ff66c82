// The DirectX 7 2D driver under Wine: what it asks of Direct3D (render states only when they
// change, textures sized up to powers of two, mip levels averaged) and what lands in the back
// buffer.
#include <gtest/gtest.h>

#include <corvax/dx7/dx7_module.h>
#include <corvax/pixmap/pixmap_loader.h>
#include <corvax/plex2d/plex2d_module.h>

#include "dx7_support.h"
#include "scene_support.h"
#include "windows/d3d7_plex2d.h"

namespace corvax {
namespace {

constexpr ARGB kRgb = 0xFFFFFF;

class D3D7Plex2DTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupDX7Module();
    driver_ = TD3D7Plex2DDriver::Instance();
    ASSERT_TRUE(driver_);
    SelectGraphicsDriver(driver_, 2);
    ASSERT_TRUE(OpenGraphics(test::kSceneWidth, test::kSceneHeight, 0, 60));
  }
  void TearDown() override { CloseDefaultGraphics(); }

  Ref<TD3D7Plex2DDriver> driver_;
};

TEST_F(D3D7Plex2DTest, IsTheCurrentDriverWhereDirectX7Works) {
  EXPECT_EQ(CurrentGraphicsDriver()->ToString(), u"DirectX7");
  EXPECT_EQ(Ref<TPlex2DDriver>(driver_), D3D7Plex2DDriver());
  EXPECT_TRUE(driver_->IsValid());
}

TEST_F(D3D7Plex2DTest, TheSameBlendModeTwiceSetsNoRenderStates) {
  for (int mode : {BLEND_MASK, BLEND_SOLID, BLEND_ALPHA, BLEND_ADDITIVE, BLEND_MULTIPLY}) {
    driver_->UseBlendMode(mode);
    const std::uint64_t calls = driver_->StateCallCount();
    driver_->UseBlendMode(mode);
    EXPECT_EQ(driver_->StateCallCount(), calls) << "mode " << mode;
    EXPECT_EQ(driver_->BlendMode(), mode);
  }
  driver_->UseBlendMode(BLEND_ALPHA);
  const std::uint64_t calls = driver_->StateCallCount();
  driver_->UseBlendMode(BLEND_SOLID);
  EXPECT_GT(driver_->StateCallCount(), calls);
}

TEST_F(D3D7Plex2DTest, PicturesGetPowerOfTwoTexturesAndKnowWhereTheyEnd) {
  const Ref<TPixmap> pixmap = PixmapCreate(100, 30, FORMAT_RGBA8888);
  const Ref<TD3D7ImageFrame> frame = Cast<TD3D7ImageFrame>(driver_->MakeImageFrame(pixmap, 0));
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->TextureWidth(), 128);
  EXPECT_EQ(frame->TextureHeight(), 32);
  EXPECT_FLOAT_EQ(frame->U(), 0.78125f);
  EXPECT_FLOAT_EQ(frame->V(), 0.9375f);
}

TEST_F(D3D7Plex2DTest, FramesLockOnceAndNotAfterTheirDirectDrawIsGone) {
  const Ref<TD3D7ImageFrame> frame =
      Cast<TD3D7ImageFrame>(driver_->MakeImageFrame(PixmapCreate(5, 3, FORMAT_RGBA8888), 0));
  ASSERT_TRUE(frame);
  const Ref<TPixmap> locked = frame->LockFrame(false, true);
  ASSERT_TRUE(locked);
  EXPECT_EQ(locked->Width(), 5);
  EXPECT_EQ(locked->Format(), FORMAT_BGRA8888);
  EXPECT_THROW(frame->LockFrame(true, false), TRuntimeException);
  frame->UnlockFrame();
  frame->UnlockFrame();  // once is enough; the second does nothing
  driver_->Graphics().Shutdown();
  EXPECT_THROW(frame->LockFrame(true, false), TRuntimeException);
  // Drawing it does nothing rather than touch the dead surface.
  frame->RenderFrame(0, 0, 5, 3, 0, 0);
  PresentFrame(0);
  EXPECT_TRUE(driver_->IsValid());
}

TEST_F(D3D7Plex2DTest, MipLevelsAreAveragedFromTheLevelAbove) {
  const Ref<TPixmap> pixmap = PixmapCreate(4, 4, FORMAT_BGRA8888);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) pixmap->SetPixel(x, y, (x + y) % 2 ? 0xFFFFFFFF : 0xFF000000);
  }
  const Ref<TD3D7ImageFrame> frame =
      Cast<TD3D7ImageFrame>(driver_->MakeImageFrame(pixmap, IMAGE_MIPMAPPED | IMAGE_FILTERED));
  ASSERT_TRUE(frame);
  DDSCAPS2 caps{};
  caps.dwCaps = DDSCAPS_TEXTURE;
  caps.dwCaps2 = DDSCAPS2_MIPMAPSUBLEVEL;
  IDirectDrawSurface7* level = nullptr;
  ASSERT_EQ(frame->Surface()->GetAttachedSurface(&caps, &level), DD_OK);
  DDSURFACEDESC2 description{};
  description.dwSize = sizeof description;
  ASSERT_EQ(level->Lock(nullptr, &description, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
  EXPECT_EQ(description.dwWidth, 2u);
  const auto* row = static_cast<const std::uint32_t*>(description.lpSurface);
  const std::uint32_t grey = dx7::AveragePixels(dx7::AveragePixels(0xFF000000, 0xFFFFFFFF),
                                                dx7::AveragePixels(0xFFFFFFFF, 0xFF000000));
  EXPECT_EQ(row[0], grey);
  EXPECT_EQ(row[1], grey);
  level->Unlock(nullptr);
  level->Release();
}

TEST_F(D3D7Plex2DTest, ClearsFillsAndClipsExactly) {
  SetClearColor(30, 90, 170);
  ClearScreen();
  SetDrawColor(255, 255, 0);
  FillRect(10, 20, 30, 40);
  SetClipViewport(100, 10, 20, 30);
  FillRect(0, 0, 160, 120);
  SetClipViewport(0, 0, test::kSceneWidth, test::kSceneHeight);
  const Ref<TPixmap> screen = GrabPixmapAt(0, 0, test::kSceneWidth, test::kSceneHeight);
  ASSERT_TRUE(screen);
  int wrong = 0;
  for (int y = 0; y < test::kSceneHeight; ++y) {
    for (int x = 0; x < test::kSceneWidth; ++x) {
      const bool rect = x >= 10 && x < 40 && y >= 20 && y < 60;
      const bool clipped = x >= 100 && x < 120 && y >= 10 && y < 40;
      const ARGB want = rect || clipped ? 0xFFFF00 : 0x1E5AAA;
      if ((screen->GetPixel(x, y) & kRgb) != want && ++wrong < 5) {
        ADD_FAILURE() << x << "," << y << " " << std::hex << screen->GetPixel(x, y);
      }
    }
  }
  EXPECT_EQ(wrong, 0);
}

TEST_F(D3D7Plex2DTest, PixmapsGoToTheBackBufferAndComeBack) {
  const Ref<TPixmap> pixmap = PixmapCreate(7, 5, FORMAT_RGB888);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) pixmap->SetPixel(x, y, 0xFF000000 | (x * 30 << 16) | (y * 40));
  }
  DrawPixmapAt(pixmap, 50, 60);
  const Ref<TPixmap> back = GrabPixmapAt(50, 60, 7, 5);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Format(), FORMAT_BGR888);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) {
      EXPECT_EQ(back->GetPixel(x, y) & kRgb, pixmap->GetPixel(x, y) & kRgb) << x << "," << y;
    }
  }
}

TEST_F(D3D7Plex2DTest, HostileRequestsDrawNothingAndDoNotCrash) {
  EXPECT_FALSE(driver_->CapturePixmap(0, 0, 0, 10));
  EXPECT_FALSE(driver_->CapturePixmap(0, 0, -5, -5));
  EXPECT_FALSE(driver_->MakeImageFrame(PixmapCreate(0, 0, FORMAT_RGBA8888), 0));
  Array<float> odd;
  odd.Items() = {1, 2, 3, 4, 5, 6, 7};
  driver_->RenderPolygon(odd, 0, 0, 0, 0);
  Array<float> tooFew;
  tooFew.Items() = {1, 2, 3, 4};
  driver_->RenderPolygon(tooFew, 0, 0, 0, 0);
  driver_->RenderOval(0, 0, 1e30f, 1e30f, 0, 0);
  driver_->UseAlpha(std::numeric_limits<float>::quiet_NaN());
  driver_->UseColor(-5, 300, 12);
  DrawPixmapAt(PixmapCreate(0, 0, FORMAT_RGBA8888), 0, 0);
  EXPECT_TRUE(driver_->IsValid());
}

TEST_F(D3D7Plex2DTest, NothingIsMadeWhileNoGraphicsAreSelected) {
  driver_->SelectContext(nullptr);
  EXPECT_FALSE(driver_->IsValid());
  EXPECT_FALSE(driver_->MakeImageFrame(PixmapCreate(4, 4, FORMAT_RGBA8888), 0));
  EXPECT_FALSE(driver_->CapturePixmap(0, 0, 4, 4));
  driver_->RenderRect(0, 0, 10, 10, 0, 0);
}

TEST_F(D3D7Plex2DTest, EachWindowDrawsIntoItsOwnSurface) {
  const Ref<TGraphics> first = DefaultGraphics();
  const Ref<TGraphics> second = CreateGraphicsContext(80, 60, 0, 60, 2);
  ASSERT_TRUE(second);
  MakeGraphicsCurrent(second);
  SetClearColor(0, 255, 0);
  ClearScreen();
  MakeGraphicsCurrent(first);
  SetClearColor(255, 0, 0);
  ClearScreen();
  EXPECT_EQ(GrabPixmapAt(5, 5, 1, 1)->GetPixel(0, 0) & kRgb, 0xFF0000u);
  MakeGraphicsCurrent(second);
  EXPECT_EQ(GrabPixmapAt(5, 5, 1, 1)->GetPixel(0, 0) & kRgb, 0x00FF00u);
  CloseGraphicsContext(second);
  MakeGraphicsCurrent(first);
}

TEST_F(D3D7Plex2DTest, ImagesSurviveDirectDrawBeingMadeAgain) {
  const Ref<TPixmap> pixmap = PixmapCreate(8, 8, FORMAT_RGBA8888);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) pixmap->SetPixel(x, y, 0xFF00FF00);
  }
  const Ref<TImage> image = LoadImageFromUrl(Url(Ref<Object>(pixmap)), 0);
  ASSERT_TRUE(image);
  DrawImageAt(image, 20, 20);
  // A display-mode change behind the program.
  driver_->Graphics().Shutdown();
  PresentFrame(0);
  SetClearColor(0, 0, 0);
  ClearScreen();
  DrawImageAt(image, 20, 20);
  EXPECT_EQ(GrabPixmapAt(23, 23, 1, 1)->GetPixel(0, 0) & kRgb, 0x00FF00u);
}

}  // namespace
}  // namespace corvax
