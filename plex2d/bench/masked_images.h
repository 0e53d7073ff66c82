#pragma once
// Frames of masked 12 x 21 images (the demonstration's pointer) through a 2D driver, timed by
// the program itself: Google Benchmark is built neither for Windows nor for the browser, where
// these frame times are measured too.
#include <algorithm>
#include <array>
#include <chrono>

#include <corvax/plex2d/plex2d_module.h>

namespace corvax::bench {

inline constexpr int kMaskedFrameWidth = 640;
inline constexpr int kMaskedFrameHeight = 480;
inline constexpr int kMaskedFramesTimed = 60;
// One frame at 72 Hz.
inline constexpr double kMaskedFrameBudgetMs = 1000.0 / 72;
inline constexpr int kMaskedImageCounts[] = {0, 100, 250, 500, 1000, 2000, 4000};

// The graphics and the image open once, for as many timings as asked.
class MaskedImagesFrames {
 public:
  MaskedImagesFrames(const Ref<TPlex2DDriver>& driver, const char* cursor) {
    SelectGraphicsDriver(driver, 2);
    if (!OpenGraphics(kMaskedFrameWidth, kMaskedFrameHeight, 0, 0)) return;
    SetMaskRGB(255, 0, 0);
    image_ = LoadImageFromUrl(cursor, IMAGE_MASK);
    SetBlendMode(BLEND_MASK);
  }
  // The image goes first: in a page its texture dies with the graphics' context, and deleting it
  // afterwards would be a call into a context that is no more.
  ~MaskedImagesFrames() {
    image_ = nullptr;
    CloseDefaultGraphics();
  }
  MaskedImagesFrames(const MaskedImagesFrames&) = delete;
  MaskedImagesFrames& operator=(const MaskedImagesFrames&) = delete;

  bool Opened() const { return static_cast<bool>(image_); }

  // Milliseconds per frame of count images (draw, present without waiting for the retrace, read
  // one pixel back so that the frame has finished): the median frame of those timed, so that
  // another program's burst on the machine's shared cores does not count; -1 when the graphics
  // or the image did not open.
  double MsPerFrame(int count) const {
    if (!image_) return -1;
    auto frame = [&] {
      ClearScreen();
      for (int i = 0; i < count; ++i) {
        DrawImageAt(image_, static_cast<float>((i * 37) % (kMaskedFrameWidth - 12)),
                    static_cast<float>((i * 91) % (kMaskedFrameHeight - 21)));
      }
      PresentFrame(0);
      GrabPixmapAt(0, 0, 1, 1);
    };
    frame();  // textures made, caches warm
    std::array<double, kMaskedFramesTimed> ms{};
    for (double& each : ms) {
      const auto start = std::chrono::steady_clock::now();
      frame();
      each = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                 .count();
    }
    std::nth_element(ms.begin(), ms.begin() + ms.size() / 2, ms.end());
    return ms[ms.size() / 2];
  }

 private:
  Ref<TImage> image_;
};

// MaskedImagesFrames::MsPerFrame with graphics of its own.
inline double MaskedImagesMsPerFrame(const Ref<TPlex2DDriver>& driver, const char* cursor,
                                     int count) {
  return MaskedImagesFrames(driver, cursor).MsPerFrame(count);
}

// The most images a frame holds within the 72 Hz budget, to within kMaskedCountStep: doubled
// from kMaskedFirstCount until a frame takes too long, then halved between the last count that
// kept the budget and the first that did not. 0 when fewer than kMaskedCountStep fit, -1 when
// the graphics or the image did not open.
inline constexpr int kMaskedFirstCount = 250;
inline constexpr int kMaskedCountStep = 25;
inline constexpr int kMaskedMostCount = 1 << 20;
inline int MostMaskedImagesAt72Hz(const MaskedImagesFrames& frames) {
  const auto fits = [&](int count) { return frames.MsPerFrame(count) <= kMaskedFrameBudgetMs; };
  if (!frames.Opened()) return -1;
  int kept = 0;
  int over = kMaskedFirstCount;
  while (over < kMaskedMostCount && fits(over)) {
    kept = over;
    over *= 2;
  }
  while (over - kept > kMaskedCountStep) {
    const int middle = kept + (over - kept) / 2;
    if (fits(middle)) {
      kept = middle;
    } else {
      over = middle;
    }
  }
  return kept;
}

}  // namespace corvax::bench
