// The desktop driver with no display at all: everything starts, nothing crashes, and whatever
// needs a desktop reports cancellation.
#include <gtest/gtest.h>

#include <cstdlib>

#include <SDL2/SDL.h>

#include <corvax/system/backend/sdl_support.h>
#include <corvax/system/key_codes.h>
#include <corvax/system/system_module.h>

#include "sdl/sdl_system_driver.h"

namespace corvax {
namespace {

class NoDisplay : public ::testing::Test {
 protected:
  void SetUp() override {
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
  }
};

TEST_F(NoDisplay, EveryModuleStartsAndQueriesAnswerFromRecordedState) {
  StartupSystemModule();
  EXPECT_TRUE(Cast<TSdlSystemDriver>(SystemDriver()));
  StartPolledInput();
  PumpSystem();
  EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 0);
  EXPECT_EQ(PointerX(), 0);
  EXPECT_EQ(NextEvent(), 0);
  MovePointer(10, 10);
  HidePointer();
  ShowPointer();
  ShowNotice(u"nobody sees this");
  EXPECT_EQ(AskConfirm(u"ok?"), 0);
  EXPECT_EQ(AskProceed(u"proceed?", 1), -1);
  EXPECT_GE(JoystickCount(), 0);
  // Video itself may be refused; asking must not hurt.
  InitSdlSubsystem(SDL_INIT_VIDEO);
  MovePointer(1, 1);
  HidePointer();

  SDL_Event event{};
  event.key = {SDL_KEYDOWN, 0, 0, SDL_PRESSED, 0, 0, 0, {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, 0, 0}};
  SDL_PushEvent(&event);
  EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 1);
  EXPECT_EQ(NextEvent(), 258);  // "AppResume": a key proves the application active
  EXPECT_EQ(NextEvent(), 513);
  EXPECT_EQ(NextEvent(), 515);
  EXPECT_EQ(ActiveEventData(), 27);
  StopPolledInput();
}

TEST_F(NoDisplay, TheClipboardFailsAndSaysWhy) {
  // Without a display SDL would fall back to its offscreen driver, whose clipboard no other
  // program sees; the X11 driver is what a desktop program without a display meets.
  setenv("SDL_VIDEODRIVER", "x11", 1);
  StartupSystemModule();
  if (InitSdlSubsystem(SDL_INIT_VIDEO)) GTEST_SKIP() << "SDL found a display of its own";
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ClipboardText(), u"");
  const std::string read = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(read.rfind("corvax: cannot read the clipboard: no display for the clipboard: ", 0), 0u)
      << read;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(SetClipboardText(u"lost"));
  const std::string write = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(write.rfind("corvax: cannot write the clipboard: no display for the clipboard: ", 0),
            0u)
      << write;
  SetTextInputArea(0, 0, 10, 10);  // nothing to place, and no harm
}

TEST_F(NoDisplay, DateAndTimeNeedNoDesktop) {
  EXPECT_EQ(CurrentDateText().size(), 11u);
  EXPECT_EQ(CurrentTimeText().size(), 8u);
}

}  // namespace
}  // namespace corvax
