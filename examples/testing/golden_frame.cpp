// The examples' golden pictures: the third frame's back buffer is compared with the committed
// picture named by CORVAX_SCREENSHOT_GOLDEN, or saved where CORVAX_SCREENSHOT_SAVE says, and the
// program ends: 0 when it matched or was saved.
#include "golden_frame.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <corvax/corvax.h>

namespace {

constexpr int kPictureFrame = 2;  // the third, counting from 0
// Mesa's llvmpipe draws the same picture each run; what a different Mesa may round otherwise
// is allowed: each channel within kChannelTolerance, and at most kMaxDifferentPixelsPerMille
// per mille of pixels beyond that.
constexpr int kChannelTolerance = 8;
constexpr int kMaxDifferentPixelsPerMille = 5;

int ChannelDistance(corvax::ARGB a, corvax::ARGB b) {
  int largest = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int difference =
        std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255));
    if (difference > largest) largest = difference;
  }
  return largest;
}

int Compare(const corvax::Ref<corvax::TPixmap>& frame, const char* goldenPath) {
  using namespace corvax;
  Ref<TPixmap> golden = PixmapLoad(goldenPath);
  if (!golden) {
    std::fprintf(stderr, "headless: no golden picture %s (make screenshots)\n", goldenPath);
    return 1;
  }
  const int width = PixmapGetWidth(frame), height = PixmapGetHeight(frame);
  if (PixmapGetWidth(golden) != width || PixmapGetHeight(golden) != height) {
    std::fprintf(stderr, "headless: frame is %d x %d, golden picture %d x %d\n", width, height,
                 PixmapGetWidth(golden), PixmapGetHeight(golden));
    return 1;
  }
  int different = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (ChannelDistance(PixmapReadPixel(frame, x, y), PixmapReadPixel(golden, x, y)) >
          kChannelTolerance)
        ++different;
  const bool matches = different * 1000 <= width * height * kMaxDifferentPixelsPerMille;
  std::printf("headless: %d of %d pixels differ from %s: %s\n", different, width * height,
              goldenPath, matches ? "match" : "MISMATCH");
  return matches ? 0 : 1;
}

}  // namespace

void CaptureGoldenFrame() {
  using namespace corvax;
  CaptureToSink(
      [](const Ref<TPixmap>& frame, int index) {
        if (index < kPictureFrame) return;
        int status = 1;
        if (const char* save = std::getenv("CORVAX_SCREENSHOT_SAVE")) {
          status = PixmapSavePNG(frame, save, 9) ? 0 : 1;
          std::printf("headless: saved %s\n", save);
        } else if (const char* golden = std::getenv("CORVAX_SCREENSHOT_GOLDEN")) {
          status = Compare(frame, golden);
        } else {
          std::fprintf(stderr,
                       "headless: set CORVAX_SCREENSHOT_GOLDEN or CORVAX_SCREENSHOT_SAVE\n");
        }
        // Ends here, mid-frame, with the window, its context and perhaps the sound device still
        // open: no static destructor or exit action may wait on them (under Wine one sometimes
        // did).
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(status);
      },
      {1, kPictureFrame + 1});
}
