// The DirectX 7 graphics driver under Wine's DirectDraw on Xvfb: modes, windowed and full-screen
// graphics, the driver's rules about them, surfaces and their generations, and the fatal path.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <corvax/dx7/dx7_module.h>
#include <corvax/graphics/graphics_core.h>

#include "dx7_support.h"
#include "windows/d3d7_graphics.h"

namespace corvax {
namespace {

class D3D7GraphicsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupDX7Module();
    driver_ = TD3D7GraphicsDriver::Instance();
    ASSERT_TRUE(driver_) << "Wine's DirectDraw should make the driver";
  }
  void TearDown() override {
    for (const Ref<TGraphics>& graphics : opened_) graphics->CloseContext();
    if (driver_) {
      EXPECT_EQ(driver_->OpenCount(), 0);
    }
  }
  Ref<TGraphics> Open(int width, int height, int depth = 0) {
    Ref<TGraphics> graphics = driver_->CreateContext(width, height, depth, 0, 2);
    if (graphics) opened_.push_back(graphics);
    return graphics;
  }
  // The size of the one display mode Xvfb offers.
  Ref<TGraphicsMode> DisplayMode() {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const Array<Ref<TGraphicsMode>> modes = driver_->EnumerateModes();
    for (const Ref<TGraphicsMode>& listed : modes.Items()) {
      if (listed->width == width && listed->height == height) return listed;
    }
    return nullptr;
  }

  Ref<TD3D7GraphicsDriver> driver_;
  std::vector<Ref<TGraphics>> opened_;
};

TEST_F(D3D7GraphicsTest, ListsModesOfMoreThanFifteenBitsAndShutsDirectDrawDown) {
  const Array<Ref<TGraphicsMode>> modes = driver_->EnumerateModes();
  ASSERT_GT(modes.Length(), 0);
  for (const Ref<TGraphicsMode>& mode : modes.Items()) EXPECT_GT(mode->depth, 15);
  EXPECT_EQ(driver_->DirectDraw(), nullptr) << "started again only to validate graphics";
  EXPECT_EQ(driver_->ToString(), u"DirectX7");
  EXPECT_EQ(Ref<TGraphicsDriver>(driver_), D3D7GraphicsDriver());
}

TEST_F(D3D7GraphicsTest, WindowValidatesWithSurfacesAndDevicePresentsAndCloses) {
  const Ref<TGraphics> graphics = Open(200, 150);
  ASSERT_TRUE(graphics);
  int w = 0, h = 0, depth = -1, hertz = -1, flags = 0;
  graphics->GetSettings(w, h, depth, hertz, flags);
  EXPECT_EQ(w, 200);
  EXPECT_EQ(h, 150);
  EXPECT_EQ(depth, 0);
  EXPECT_EQ(flags, 2);
  driver_->SelectContext(graphics);
  EXPECT_EQ(driver_->IsValid(), 1);
  ASSERT_TRUE(driver_->DirectDraw());
  ASSERT_TRUE(driver_->Device());
  EXPECT_EQ(driver_->Current(), Cast<TD3D7Graphics>(graphics));
  driver_->Present(0);
  driver_->Present(1);
  EXPECT_EQ(driver_->IsValid(), 1);
  graphics->CloseContext();
  EXPECT_EQ(driver_->OpenCount(), 0);
  EXPECT_FALSE(driver_->Current());
  EXPECT_EQ(driver_->DirectDraw(), nullptr) << "the last graphics shut DirectDraw down";
  // Closing again, and selecting closed graphics, do nothing.
  graphics->CloseContext();
  driver_->SelectContext(graphics);
  EXPECT_EQ(driver_->IsValid(), 0);
}

TEST_F(D3D7GraphicsTest, NoFullScreenWhileAWindowIsOpen) {
  ASSERT_TRUE(Open(100, 100));
  const Ref<TGraphicsMode> mode = DisplayMode();
  ASSERT_TRUE(mode);
  EXPECT_FALSE(Open(mode->width, mode->height, mode->depth));
}

TEST_F(D3D7GraphicsTest, NothingElseWhileFullScreenIsOpen) {
  const Ref<TGraphicsMode> mode = DisplayMode();
  ASSERT_TRUE(mode);
  const Ref<TGraphics> full = Open(mode->width, mode->height, mode->depth);
  ASSERT_TRUE(full);
  driver_->SelectContext(full);
  EXPECT_EQ(driver_->IsValid(), 1);
  driver_->Present(0);
  EXPECT_EQ(driver_->IsValid(), 1);
  EXPECT_FALSE(Open(100, 100));
  EXPECT_FALSE(Open(mode->width, mode->height, mode->depth));
  EXPECT_FALSE(driver_->AttachToWindow(1, 0));
  full->CloseContext();
  // Once it is closed, a window opens again.
  EXPECT_TRUE(Open(100, 100));
}

TEST_F(D3D7GraphicsTest, FullScreenSizeTheDisplayLacksIsRefused) {
  EXPECT_THROW(Open(333, 222, 32), TRuntimeException);
  EXPECT_EQ(driver_->OpenCount(), 0);
}

TEST_F(D3D7GraphicsTest, HostileSizesGiveNull) {
  EXPECT_FALSE(Open(0, 100));
  EXPECT_FALSE(Open(100, -1));
  EXPECT_FALSE(Open(1 << 20, 100));
  EXPECT_FALSE(driver_->AttachToWindow(123456, 0)) << "no such SDL window";
  EXPECT_EQ(driver_->OpenCount(), 0);
}

TEST_F(D3D7GraphicsTest, AttachesToTheApplicationsWindowAndLeavesItOpen) {
  SDL_Window* window = SDL_CreateWindow("mine", 40, 40, 120, 90, 0);
  ASSERT_TRUE(window);
  const Ref<TGraphics> graphics =
      driver_->AttachToWindow(static_cast<int>(SDL_GetWindowID(window)), 0);
  ASSERT_TRUE(graphics);
  int w = 0, h = 0, depth = -1, hertz = -1, flags = 0;
  graphics->GetSettings(w, h, depth, hertz, flags);
  EXPECT_EQ(w, 120);
  EXPECT_EQ(h, 90);
  driver_->SelectContext(graphics);
  EXPECT_EQ(driver_->IsValid(), 1);
  graphics->CloseContext();
  EXPECT_EQ(SDL_GetWindowFromID(SDL_GetWindowID(window)), window)
      << "the window is the application's";
  SDL_DestroyWindow(window);
}

DDSURFACEDESC2 SmallOffscreenSurface() {
  DDSURFACEDESC2 description{};
  description.dwSize = sizeof description;
  description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
  description.dwWidth = 8;
  description.dwHeight = 8;
  return description;
}

TEST_F(D3D7GraphicsTest, SurfacesOfADeadDirectDrawAreDroppedWithoutCallsAndAllIsMadeAgain) {
  const Ref<TGraphics> graphics = Open(64, 64);
  ASSERT_TRUE(graphics);
  driver_->SelectContext(graphics);
  ASSERT_EQ(driver_->IsValid(), 1);
  DDSURFACEDESC2 description = SmallOffscreenSurface();
  IDirectDrawSurface7* surface = driver_->CreateSurface(description);
  ASSERT_TRUE(surface);
  const int generation = dx7::SurfaceGeneration();
  EXPECT_TRUE(driver_->IsLiveSurface(surface, generation));
  const int before = GraphicsSequence();
  // What a display-mode change behind the program does: DirectDraw goes, surfaces with it.
  driver_->Shutdown();
  EXPECT_NE(GraphicsSequence(), before) << "images must make their frames again";
  EXPECT_FALSE(driver_->IsLiveSurface(surface, generation));
  EXPECT_EQ(driver_->SurfaceCount(), 0);
  // The dead surface is not touched (it is released already; a call would crash).
  driver_->ReleaseSurface(surface, generation);
  // The next validation starts DirectDraw again with new surfaces and a new device.
  EXPECT_EQ(driver_->CheckValid(), 1);
  EXPECT_TRUE(driver_->Device());
  driver_->Present(0);
  EXPECT_EQ(driver_->IsValid(), 1);
}

TEST_F(D3D7GraphicsTest, SurfacesNeedARunningDirectDraw) {
  DDSURFACEDESC2 description = SmallOffscreenSurface();
  EXPECT_EQ(driver_->CreateSurface(description), nullptr);
  const Ref<TGraphics> graphics = Open(32, 32);
  driver_->SelectContext(graphics);
  description.dwWidth = 0;  // refused by DirectDraw
  EXPECT_EQ(driver_->CreateSurface(description), nullptr);
  EXPECT_EQ(driver_->SurfaceCount(), 0);
}

TEST_F(D3D7GraphicsTest, AResizedWindowGetsSurfacesOfTheNewSize) {
  const Ref<TGraphics> graphics = Open(100, 80);
  driver_->SelectContext(graphics);
  ASSERT_EQ(driver_->IsValid(), 1);
  SDL_Window* window = SDL_GetWindowFromID(Cast<TD3D7Graphics>(graphics)->WindowId());
  ASSERT_TRUE(window);
  SDL_SetWindowSize(window, 140, 90);
  SDL_PumpEvents();
  int w = 0, h = 0, depth = 0, hertz = 0, flags = 0;
  graphics->GetSettings(w, h, depth, hertz, flags);
  EXPECT_EQ(w, 140);
  EXPECT_EQ(h, 90);
  EXPECT_EQ(Cast<TD3D7Graphics>(graphics)->RenderSurfaceOf(), nullptr);
  EXPECT_EQ(driver_->CheckValid(), 1);
  driver_->Present(0);
  EXPECT_NE(Cast<TD3D7Graphics>(graphics)->RenderSurfaceOf(), nullptr);
}

using D3D7FatalTest = D3D7GraphicsTest;

TEST_F(D3D7FatalTest, FailedSurfaceCallEndsTheProcessWithFailureStatus) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(dx7::CheckDX(static_cast<HRESULT>(0x88760005), "CreateSurface"),
              ::testing::ExitedWithCode(-1), "CreateSurface failed: UNKNOWN:88760005 5");
}

}  // namespace
}  // namespace corvax
