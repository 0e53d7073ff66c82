// The demonstration for real: on an X server of the test's own, the mouse moves, a screenshot
// shows the pointer over blue, and Escape ends the program with status 0.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <corvax/pixmap/pixmap_loader.h>
#include <corvax/pixmap/pixmap_module.h>

#include "private_display.h"
#include "temp_dir.h"

extern char** environ;

namespace corvax {
namespace {

bool Shell(const std::string& command) {
  return std::system(command.c_str()) == 0;
}

struct ScreenCounts {
  int blue = 0;
  int white = 0;
  int red = 0;
};

bool Near(int value, int wanted) {
  return std::abs(value - wanted) <= 8;
}

ScreenCounts CountColours(const Ref<TPixmap>& shot) {
  ScreenCounts counts;
  for (int y = 0; y < shot->Height(); ++y) {
    for (int x = 0; x < shot->Width(); ++x) {
      const auto argb = shot->GetPixel(x, y);
      const int r = (argb >> 16) & 255, g = (argb >> 8) & 255, b = argb & 255;
      if (Near(r, 30) && Near(g, 90) && Near(b, 170)) ++counts.blue;
      if (r == 255 && g == 255 && b == 255) ++counts.white;
      if (r == 255 && g == 0 && b == 0) ++counts.red;
    }
  }
  return counts;
}

// Exit status, or -1 when the program is still running after the time limit.
int WaitForExit(pid_t pid, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid) {
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return -1;
}

// A frame the grabber saved: RGB rows, top row first.
struct Frame {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
};

bool ReadFrame(const std::string& path, Frame& frame) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  if (!(in >> magic >> frame.width >> frame.height >> maximum) || magic != "P6") return false;
  in.get();
  frame.rgb.resize(static_cast<std::size_t>(frame.width) * frame.height * 3);
  return static_cast<bool>(in.read(reinterpret_cast<char*>(frame.rgb.data()),
                                   static_cast<std::streamsize>(frame.rgb.size())));
}

constexpr int kBlue[3] = {30, 90, 170};

// Pixels of the frame that differ (by more than a 16-bit display's rounding) from what the
// user must see: the blue screen with the pointer picture's unmasked pixels at (left, top).
int PixelsOffThePicture(const Frame& frame, const Ref<TPixmap>& cursor, int left, int top) {
  int off = 0;
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      int wanted[3] = {kBlue[0], kBlue[1], kBlue[2]};
      const int u = x - left, v = y - top;
      if (u >= 0 && v >= 0 && u < cursor->Width() && v < cursor->Height()) {
        const auto argb = cursor->GetPixel(u, v);
        if ((argb & 0xFFFFFF) != 0xFF0000) {
          wanted[0] = (argb >> 16) & 255;
          wanted[1] = (argb >> 8) & 255;
          wanted[2] = argb & 255;
        }
      }
      const unsigned char* got = &frame.rgb[(static_cast<std::size_t>(y) * frame.width + x) * 3];
      for (int c = 0; c < 3; ++c) {
        if (std::abs(got[c] - wanted[c]) > 8) {
          ++off;
          break;
        }
      }
    }
  }
  return off;
}

// Where the grabber saves frame `index` (frame-000.ppm, ...).
std::string FrameFile(const testing::TempDir& dir, int index) {
  char name[32];
  std::snprintf(name, sizeof name, "frame-%03d.ppm", index);
  return dir / name;
}

bool IsBlueScreen(const Frame& frame) {
  const unsigned char* corner = frame.rgb.data();
  return frame.width > 0 && Near(corner[0], kBlue[0]) && Near(corner[1], kBlue[1]) &&
         Near(corner[2], kBlue[2]);
}

// Starts the demonstration on a display of the given geometry with the system pointer resting
// at (5, 5), keeps its first frames, and requires every drawn one to show the picture at the
// centre, untouched by where the pointer rested; then Escape must end it with status 0.
void ExpectFirstFramesAtTheCentre(const std::string& screen) {
  if (!Shell("command -v xdotool >/dev/null")) GTEST_SKIP() << "xdotool is needed";
  testing::PrivateDisplay display;
  if (!display.Start(screen)) GTEST_SKIP() << "Xvfb cannot start";
  StartupPixmapModule();
  const Ref<TPixmap> cursor = PixmapLoad(CORVAX_CURSOR_PNG);
  ASSERT_TRUE(cursor);
  ASSERT_TRUE(Shell("xdotool mousemove 5 5"));
  testing::TempDir dir;
  constexpr int kFrames = 12;
  const std::string frames = std::to_string(kFrames);
  ::setenv("LD_PRELOAD", CORVAX_FRAME_GRABBER, 1);
  ::setenv("FRAME_GRABBER_DIR", dir.path().c_str(), 1);
  ::setenv("FRAME_GRABBER_FRAMES", frames.c_str(), 1);
  // A sanitised build's runtime need not come first when the grabber is preloaded.
  ::setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);
  pid_t demo = -1;
  const char* argv[] = {CORVAX_POINTER_DEMO, nullptr};
  const int spawned = ::posix_spawn(&demo, CORVAX_POINTER_DEMO, nullptr, nullptr,
                                    const_cast<char**>(argv), environ);
  ::unsetenv("LD_PRELOAD");
  ::unsetenv("FRAME_GRABBER_DIR");
  ::unsetenv("FRAME_GRABBER_FRAMES");
  ::unsetenv("ASAN_OPTIONS");
  ASSERT_EQ(spawned, 0);

  const std::string last = FrameFile(dir, kFrames - 1);
  for (int wait = 0; wait < 600 && !std::filesystem::exists(last); ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  int drawn = 0;
  for (int index = 0; index < kFrames; ++index) {
    Frame frame;
    if (!ReadFrame(FrameFile(dir, index), frame)) continue;
    EXPECT_TRUE(IsBlueScreen(frame)) << "frame " << index;
    ++drawn;
    EXPECT_EQ(frame.width, 640);
    EXPECT_EQ(frame.height, 480);
    EXPECT_EQ(PixelsOffThePicture(frame, cursor, 320, 240), 0) << "frame " << index;
  }
  EXPECT_EQ(drawn, kFrames);

  Shell("xdotool key Escape");
  const int status = WaitForExit(demo, std::chrono::seconds(20));
  if (status < 0) {
    ::kill(demo, SIGKILL);
    ::waitpid(demo, nullptr, 0);
  }
  EXPECT_EQ(status, 0);
}

// 24 bits: no 16-bit full-screen mode, so the demonstration opens a 640x480 window.
TEST(PointerDemo, FirstFramesShowThePictureAtTheCentreInAWindow) {
  ExpectFirstFramesAtTheCentre("640x480x24");
}

// 16 bits at 640x480: the demonstration takes the display full screen.
TEST(PointerDemo, FirstFramesShowThePictureAtTheCentreFullScreen) {
  ExpectFirstFramesAtTheCentre("640x480x16");
}

TEST(PointerDemo, DrawsThePointerOverBlueAndEndsOnEscape) {
  if (!Shell("command -v xdotool >/dev/null && command -v import >/dev/null")) {
    GTEST_SKIP() << "xdotool and ImageMagick's import are needed";
  }
  testing::PrivateDisplay display;
  if (!display.Start()) GTEST_SKIP() << "Xvfb cannot start";
  StartupPixmapModule();
  testing::TempDir dir;
  const std::string shot = dir / "shot.png";

  pid_t demo = -1;
  const char* argv[] = {CORVAX_POINTER_DEMO, nullptr};
  ASSERT_EQ(::posix_spawn(&demo, CORVAX_POINTER_DEMO, nullptr, nullptr, const_cast<char**>(argv),
                          environ),
            0);

  // The first frames come once graphics are open; allow a loaded machine time for that.
  ScreenCounts counts;
  for (int attempt = 0; attempt < 40 && counts.blue < 100000; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    if (Shell("import -window root " + shot + " 2>/dev/null"))
      counts = CountColours(PixmapLoad(shot));
  }
  EXPECT_GE(counts.blue, 100000);

  for (int step = 0; step < 5; ++step) {
    Shell("xdotool mousemove_relative -- 12 7");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  ASSERT_TRUE(Shell("import -window root " + shot + " 2>/dev/null"));
  counts = CountColours(PixmapLoad(shot));
  // The arrow's white inside shows, its red background is masked away.
  EXPECT_GE(counts.white, 40);
  EXPECT_EQ(counts.red, 0);

  Shell("xdotool key Escape");
  const int status = WaitForExit(demo, std::chrono::seconds(20));
  if (status < 0) {
    ::kill(demo, SIGKILL);
    ::waitpid(demo, nullptr, 0);
  }
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace corvax
