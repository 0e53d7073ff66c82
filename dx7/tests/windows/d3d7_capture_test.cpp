// Capturing frames drawn by the DirectX 7 2D driver: what the program's sink, a screenshot read
// back from its PNG file and a GIF read back through giflib hold is exactly the frame drawn.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <corvax/dx7/dx7_module.h>
#include <corvax/pixmap/pixmap_loader.h>
#include <corvax/plex2d/capture.h>
#include <corvax/plex2d/plex2d_module.h>

#include "gif_read_back.h"
#include "scene_support.h"
#include "temp_dir.h"

namespace corvax {
namespace {

constexpr int kWidth = test::kSceneWidth;
constexpr int kHeight = test::kSceneHeight;
constexpr int kHertz = 50;
constexpr ARGB kOpaque = 0xFF000000;

struct Box {
  int x, y, width, height;
  ARGB colour;
};

constexpr ARGB kBackground = kOpaque | 0x1E5AAA;
// Overlapping boxes, one a single pixel and one cut off by the right edge.
constexpr Box kBoxes[] = {{10, 10, 50, 30, kOpaque | 0xFAC80A},
                          {40, 25, 60, 70, kOpaque | 0x00FF80},
                          {100, 70, 1, 1, kOpaque | 0xFF00FF},
                          {130, 5, 40, 100, kOpaque | 0x102030}};

void DrawBoxes(ARGB background) {
  SetClearColor((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF);
  ClearScreen();
  for (const Box& box : kBoxes) {
    SetDrawColor((box.colour >> 16) & 0xFF, (box.colour >> 8) & 0xFF, box.colour & 0xFF);
    FillRect(static_cast<float>(box.x), static_cast<float>(box.y), static_cast<float>(box.width),
             static_cast<float>(box.height));
  }
}

// What DrawBoxes paints at a pixel, worked out from the boxes rather than read from a screen.
ARGB ExpectedAt(int x, int y, ARGB background) {
  ARGB colour = background;
  for (const Box& box : kBoxes) {
    if (x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height) {
      colour = box.colour;
    }
  }
  return colour;
}

// Empty when every pixel is the expected one, else where the first one is not.
std::string Mismatch(const Ref<TPixmap>& picture, ARGB background) {
  if (!picture) return "no picture";
  if (picture->Width() != kWidth || picture->Height() != kHeight) {
    return "size " + std::to_string(picture->Width()) + "x" + std::to_string(picture->Height());
  }
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const ARGB expected = ExpectedAt(x, y, background);
      const ARGB seen = picture->GetPixel(x, y);
      if (seen != expected) {
        char text[80];
        std::snprintf(text, sizeof text, "at %d,%d: %08X, drawn %08X", x, y,
                      static_cast<unsigned>(seen), static_cast<unsigned>(expected));
        return text;
      }
    }
  }
  return "";
}

// Frame n has a background of its own, so each captured picture names its frame.
ARGB BackgroundOf(int frame) {
  return kOpaque | static_cast<ARGB>(0x101010 * (frame + 1));
}

class D3D7CaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupDX7Module();
    ASSERT_TRUE(D3D7Plex2DDriver());
    SelectGraphicsDriver(D3D7Plex2DDriver(), 2);
    ASSERT_TRUE(OpenGraphics(kWidth, kHeight, 0, kHertz));
    ASSERT_EQ(CurrentGraphicsDriver()->ToString(), u"DirectX7");
  }
  void TearDown() override {
    StopCapture();
    CloseDefaultGraphics();
  }

  testing::TempDir folder_;
};

TEST_F(D3D7CaptureTest, TheSinkGetsExactlyTheFrameDrawn) {
  std::vector<Ref<TPixmap>> frames;
  ASSERT_TRUE(CaptureToSink([&](const Ref<TPixmap>& frame, int) { frames.push_back(frame); },
                            {.count = 2}));
  for (int frame = 0; frame < 3; ++frame) {
    DrawBoxes(BackgroundOf(frame));
    PresentFrame(0);
  }
  EXPECT_FALSE(IsCapturing());
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(Mismatch(frames[0], BackgroundOf(0)), "");
  EXPECT_EQ(Mismatch(frames[1], BackgroundOf(1)), "");
}

TEST_F(D3D7CaptureTest, AScreenshotReadBackFromItsFileIsTheFrameDrawn) {
  DrawBoxes(kBackground);
  const std::string path = folder_ / "screen.png";
  ASSERT_TRUE(SaveScreenshot(path.c_str()));
  EXPECT_EQ(Mismatch(PixmapLoad(path.c_str()), kBackground), "");
  // Taking it changed nothing that is shown.
  EXPECT_EQ(Mismatch(GrabPixmapAt(0, 0, kWidth, kHeight), kBackground), "");
}

TEST_F(D3D7CaptureTest, PngFilesHoldTheFramesDrawn) {
  ASSERT_TRUE(CaptureToPng(FromUtf8(folder_ / "shot-#.png"), {.every = 2, .count = 2}));
  for (int frame = 0; frame < 4; ++frame) {
    DrawBoxes(BackgroundOf(frame));
    PresentFrame(0);
  }
  EXPECT_FALSE(IsCapturing());
  EXPECT_EQ(Mismatch(PixmapLoad((folder_ / "shot-00000.png").c_str()), BackgroundOf(0)), "");
  EXPECT_EQ(Mismatch(PixmapLoad((folder_ / "shot-00001.png").c_str()), BackgroundOf(2)), "");
}

// Few colours: the GIF keeps each exact.
TEST_F(D3D7CaptureTest, AGifReadBackThroughGiflibHoldsEachFrameDrawn) {
  constexpr int kFrames = 3;
  const std::string path = folder_ / "run.gif";
  ASSERT_TRUE(CaptureToGif(path.c_str()));
  for (int frame = 0; frame < kFrames; ++frame) {
    DrawBoxes(BackgroundOf(frame));
    PresentFrame(0);
  }
  ASSERT_TRUE(StopCapture());

  std::string why;
  const testing::GifFile gif = testing::ReadGif(path, why);
  ASSERT_TRUE(gif) << why;
  EXPECT_EQ(gif->SWidth, kWidth);
  EXPECT_EQ(gif->SHeight, kHeight);
  ASSERT_EQ(gif->ImageCount, kFrames);
  for (int index = 0; index < kFrames; ++index) {
    const SavedImage& image = gif->SavedImages[index];
    ASSERT_EQ(image.ImageDesc.Width, kWidth);
    ASSERT_EQ(image.ImageDesc.Height, kHeight);
    int misses = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const GifColorType colour = testing::GifPixel(*gif, index, x, y);
        const ARGB seen = kOpaque | (colour.Red << 16) | (colour.Green << 8) | colour.Blue;
        if (seen != ExpectedAt(x, y, BackgroundOf(index))) ++misses;
      }
    }
    EXPECT_EQ(misses, 0) << "frame " << index;
  }
}

}  // namespace
}  // namespace corvax
