// Capturing frames for real on an X server with Mesa: the pictures hold exactly the presented
// frames chosen, as PNG files, as a GIF read back through giflib, or handed to the program.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include <gif_lib.h>

#include <corvax/graphics/graphics_module.h>
#include <corvax/pixmap/pixmap_loader.h>
#include <corvax/plex2d/plex2d_module.h>
#include <corvax/system/system_module.h>

#include "gif_read_back.h"
#include "temp_dir.h"

namespace corvax {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;
constexpr int kHertz = 50;

// Frame n is filled with a grey of 10 * n: each captured picture names its frame.
void PresentFrames(int count) {
  for (int frame = 0; frame < count; ++frame) {
    SetClearColor(10 * frame, 10 * frame, 10 * frame);
    ClearScreen();
    PresentFrame(0);
  }
}

int GreyOf(const Ref<TPixmap>& picture) {
  return static_cast<int>(picture->GetPixel(kWidth / 2, kHeight / 2) & 0xFF);
}

class Capture : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "no X display";
    StartupPlex2DModule();
    ASSERT_TRUE(OpenGraphics(kWidth, kHeight, 0, kHertz)) << "no OpenGL graphics";
  }
  void TearDown() override {
    StopCapture();
    CloseDefaultGraphics();
    PumpSystem();
  }
  std::string In(const std::string& name) const { return folder_ / name; }

  testing::TempDir folder_;
};

TEST_F(Capture, PngFilesHoldEveryNthFrameUpToTheCount) {
  ASSERT_TRUE(CaptureToPng(FromUtf8(In("shot-#.png")), {.every = 2, .count = 3}));
  PresentFrames(9);
  EXPECT_FALSE(IsCapturing());
  EXPECT_EQ(CapturedFrameCount(), 3);
  for (int index = 0; index < 3; ++index) {
    const Ref<TPixmap> picture = PixmapLoad(In("shot-0000" + std::to_string(index) + ".png"));
    ASSERT_TRUE(picture) << index;
    EXPECT_EQ(picture->Width(), kWidth);
    EXPECT_EQ(GreyOf(picture), 20 * index) << index;
  }
  EXPECT_FALSE(std::filesystem::exists(In("shot-00003.png")));
}

TEST_F(Capture, WithoutTheMarkTheIndexGoesBeforeTheExtension) {
  ASSERT_TRUE(CaptureToPng(FromUtf8(In("frame.png")), {.count = 1}));
  PresentFrames(1);
  EXPECT_TRUE(std::filesystem::exists(In("frame00000.png")));
}

TEST_F(Capture, TheProgramsSinkSeesTheFramesAsShownAndTheScreenIsUnchanged) {
  std::vector<int> greys;
  ASSERT_TRUE(CaptureToSink([&](const Ref<TPixmap>& frame, int) { greys.push_back(GreyOf(frame)); },
                            {.every = 3}));
  PresentFrames(7);
  EXPECT_TRUE(IsCapturing());
  ASSERT_TRUE(StopCapture());
  EXPECT_EQ(greys, (std::vector<int>{0, 30, 60}));
  PresentFrames(2);
  EXPECT_EQ(greys.size(), 3u);
}

TEST_F(Capture, AGifHoldsTheFramesWithTheirDelayAndLoops) {
  const std::string path = In("run.gif");
  ASSERT_TRUE(CaptureToGif(path.c_str(), {.every = 2}));
  PresentFrames(6);
  ASSERT_TRUE(StopCapture());

  std::string why;
  const testing::GifFile gif = testing::ReadGif(path, why);
  ASSERT_TRUE(gif) << why;
  EXPECT_EQ(gif->SWidth, kWidth);
  EXPECT_EQ(gif->SHeight, kHeight);
  ASSERT_EQ(gif->ImageCount, 3);
  for (int index = 0; index < gif->ImageCount; ++index) {
    GraphicsControlBlock control{};
    ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), index, &control), GIF_OK);
    EXPECT_EQ(control.DelayTime, 2 * 100 / kHertz);  // two frames at 50 Hz: 4 centiseconds
    const GifColorType centre = testing::GifPixel(*gif, index, kWidth / 2, kHeight / 2);
    EXPECT_EQ(centre.Red, 20 * index) << index;  // few colours keep their exact values
    EXPECT_EQ(centre.Blue, 20 * index) << index;
  }
  // giflib hands the blocks ahead of the first image to that image.
  bool loops = false;
  for (int block = 0; block < gif->SavedImages[0].ExtensionBlockCount; ++block) {
    const ExtensionBlock& extension = gif->SavedImages[0].ExtensionBlocks[block];
    if (extension.ByteCount == 11 &&
        std::string(reinterpret_cast<const char*>(extension.Bytes), 11) == "NETSCAPE2.0") {
      loops = true;
    }
  }
  EXPECT_TRUE(loops);
}

// A GIF's delay is 16 bits of centiseconds; frames further apart are shown for the longest.
TEST_F(Capture, AGifOfFramesFarApartShowsEachForTheLongestDelay) {
  const std::string path = In("slow.gif");
  ASSERT_TRUE(CaptureToGif(path.c_str(), {.every = std::numeric_limits<int>::max()}));
  PresentFrames(1);
  ASSERT_TRUE(StopCapture());
  std::string why;
  const testing::GifFile gif = testing::ReadGif(path, why);
  ASSERT_TRUE(gif) << why;
  ASSERT_EQ(gif->ImageCount, 1);
  GraphicsControlBlock control{};
  ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), 0, &control), GIF_OK);
  EXPECT_EQ(control.DelayTime, 65535);
}

constexpr int kMostOff = 48;
constexpr int kMostOffOnAverage = 12;

TEST_F(Capture, AGifFrameOfManyColoursIsReducedToNearOnes) {
  // 3072 colours: red by column, green by row.
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      SetDrawColor(4 * x, 5 * y, 128);
      FillRect(static_cast<float>(x), static_cast<float>(y), 1, 1);
    }
  }
  const std::string path = In("many.gif");
  ASSERT_TRUE(CaptureToGif(path.c_str(), {.count = 1}));
  PresentFrame(0);
  EXPECT_FALSE(IsCapturing());

  std::string why;
  const testing::GifFile gif = testing::ReadGif(path, why);
  ASSERT_TRUE(gif) << why;
  ASSERT_EQ(gif->ImageCount, 1);
  // giflib's median cut works on 5 bits a channel: each colour lands near its own, and on
  // average close.
  int largest = 0;
  long total = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const GifColorType colour = testing::GifPixel(*gif, 0, x, y);
      const int off = std::max({std::abs(colour.Red - 4 * x), std::abs(colour.Green - 5 * y),
                                std::abs(colour.Blue - 128)});
      largest = std::max(largest, off);
      total += off;
    }
  }
  EXPECT_LE(largest, kMostOff);
  EXPECT_LE(total / (kWidth * kHeight), kMostOffOnAverage);
}

TEST_F(Capture, AScreenshotSavesTheBackBuffer) {
  SetClearColor(90, 90, 90);
  ClearScreen();
  ASSERT_TRUE(SaveScreenshot(In("screen.png").c_str()));
  const Ref<TPixmap> picture = PixmapLoad(In("screen.png"));
  ASSERT_TRUE(picture);
  EXPECT_EQ(GreyOf(picture), 90);
}

TEST_F(Capture, RefusesImpossibleRequestsAndASecondCaptureWithTheReason) {
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(CaptureToPng(u"x-#.png", {.every = 0}));
  EXPECT_FALSE(CaptureToGif("no/such/folder/run.gif"));
  ASSERT_TRUE(CaptureToSink([](const Ref<TPixmap>&, int) {}));
  EXPECT_FALSE(CaptureToPng(u"x-#.png"));
  EXPECT_FALSE(SaveScreenshot("no/such/folder/screen.png"));
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("capture: cannot capture x-#.png: every 0 frames, 0 of them (every needs 1 "
                      "or more, count 0 or more)\n"),
            std::string::npos)
      << said;
  EXPECT_NE(said.find("capture: cannot capture to no/such/folder/run.gif: it cannot be opened "
                      "for writing\n"),
            std::string::npos);
  EXPECT_NE(said.find("capture: cannot capture x-#.png: a capture runs already\n"),
            std::string::npos);
  EXPECT_NE(said.find("capture: cannot save the screenshot no/such/folder/screen.png"),
            std::string::npos);
}

// The GIF's bytes stay buffered until the file closes, so a full disk shows only at the stop.
TEST_F(Capture, AGifThatCannotBeFinishedFailsTheStopWithOneLine) {
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(CaptureToGif("/dev/full"));
  PresentFrames(2);
  EXPECT_FALSE(StopCapture());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "capture: /dev/full: it could not be closed\n");
}

// Frames are encoded on a thread of the capture's own, so the failure shows at a later frame or
// when the capture stops, said once either way.
TEST_F(Capture, AFileThatCannotBeWrittenEndsTheCaptureWithOneLine) {
  ::testing::internal::CaptureStderr();
  ASSERT_TRUE(CaptureToPng(u"no/such/folder/x-#.png"));
  PresentFrames(3);
  StopCapture();
  EXPECT_FALSE(IsCapturing());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "capture: cannot save frame no/such/folder/x-00000.png: it cannot be written\n");
}

}  // namespace
}  // namespace corvax
