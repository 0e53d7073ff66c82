#pragma once
// Frames of masked 12 x 21 images (the demonstration's pointer) through a 2D driver, timed by
// the program itself: Google Benchmark is built neither for Windows nor for the browser, where
// these frame times are measured too.
#include <chrono>

#include <corvax/plex2d/plex2d_module.h>

namespace corvax::bench {

inline constexpr int kMaskedFrameWidth = 640;
inline constexpr int kMaskedFrameHeight = 480;
inline constexpr int kMaskedFramesTimed = 60;
// One frame at 72 Hz.
inline constexpr double kMaskedFrameBudgetMs = 1000.0 / 72;
inline constexpr int kMaskedImageCounts[] = {0, 100, 250, 500, 1000, 2000, 4000};

// Mean milliseconds per frame of count images (draw, present without waiting for the retrace,
// read one pixel back so that the frame has finished), or -1 when the graphics or the image do
// not open.
inline double MaskedImagesMsPerFrame(const Ref<TPlex2DDriver>& driver, const char* cursor,
                                     int count) {
  SelectGraphicsDriver(driver, 2);
  if (!OpenGraphics(kMaskedFrameWidth, kMaskedFrameHeight, 0, 0)) return -1;
  SetMaskRGB(255, 0, 0);
  const Ref<TImage> image = LoadImageFromUrl(cursor, IMAGE_MASK);
  if (!image) return -1;
  SetBlendMode(BLEND_MASK);
  auto frame = [&] {
    ClearScreen();
    for (int i = 0; i < count; ++i) {
      DrawImageAt(image, static_cast<float>((i * 37) % (kMaskedFrameWidth - 12)),
                  static_cast<float>((i * 91) % (kMaskedFrameHeight - 21)));
    }
    PresentFrame(0);
    GrabPixmapAt(0, 0, 1, 1);
  };
  frame();  // textures made, caches warm
  const auto start = std::chrono::steady_clock::now();
  for (int f = 0; f < kMaskedFramesTimed; ++f) frame();
  const std::chrono::duration<double, std::milli> elapsed =
      std::chrono::steady_clock::now() - start;
  CloseDefaultGraphics();
  return elapsed.count() / kMaskedFramesTimed;
}

}  // namespace corvax::bench
