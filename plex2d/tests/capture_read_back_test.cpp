// Capturing through a driver that logs what it is asked and may be unable to read its back
// buffer: such a frame is never handed on as Null, and the capture ends with one line.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include <corvax/graphics/graphics_core.h>
#include <corvax/plex2d/capture.h>

#include "recording_graphics_test.h"

namespace corvax {
namespace {

class CaptureReadBack : public testing::RecordingGraphicsTest {
 protected:
  void SetUp() override {
    StartupCaptureModule();
    RecordingGraphicsTest::SetUp();
  }
  void TearDown() override {
    StopCapture();
    RecordingGraphicsTest::TearDown();
  }
};

TEST_F(CaptureReadBack, EveryNthFrameIsReadBackWholeBeforeItIsPresented) {
  std::vector<int> sizes;
  ASSERT_TRUE(CaptureToSink(
      [&](const Ref<TPixmap>& frame, int) { sizes.push_back(frame->Width() * frame->Height()); },
      {.every = 2}));
  Log().clear();
  for (int frame = 0; frame < 4; ++frame) PresentFrame(0);
  EXPECT_EQ(sizes, (std::vector<int>{640 * 480, 640 * 480}));
  const auto firstRead = std::find(Log().begin(), Log().end(), "CapturePixmap 0 0 640 480");
  ASSERT_NE(firstRead, Log().end());
  EXPECT_EQ(std::find(Log().begin(), Log().end(), "Present 0") - firstRead, 1);
}

TEST_F(CaptureReadBack, AFrameTheGraphicsCannotGiveBackEndsTheCaptureWithOneLine) {
  driver_->refuseCaptures = true;
  int handed = 0;
  ASSERT_TRUE(CaptureToSink([&](const Ref<TPixmap>&, int) { ++handed; }));
  ::testing::internal::CaptureStderr();
  PresentFrame(0);
  PresentFrame(0);
  EXPECT_FALSE(SaveScreenshot("screen.png"));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "capture: cannot capture frame 0: the graphics could not give its picture back\n"
            "capture: cannot save the screenshot screen.png: the graphics could not give its "
            "picture back\n");
  EXPECT_EQ(handed, 0);
  EXPECT_FALSE(IsCapturing());
  EXPECT_EQ(CapturedFrameCount(), 0);
}

}  // namespace
}  // namespace corvax
