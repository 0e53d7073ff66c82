// The demonstration for real: on an X server of the test's own, the mouse moves, a screenshot
// shows the pointer over blue, and Escape ends the program with status 0.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

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
