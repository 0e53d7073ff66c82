// Frames of masked 12 x 21 images through the OpenGL 2D driver: the same program natively and in
// a page (scripts/web-bench runs both in one go and sets them side by side). It prints the
// milliseconds per frame of each count, then the most images a frame holds at 72 Hz.
//   masked_images_frame [cursor.png]
#include <cstdio>
#include <cstdlib>

#include "masked_images.h"

namespace {

int Run(const char* cursor) {
  using namespace corvax;
  StartupGLPlex2DModule();
  const bench::MaskedImagesFrames frames(GLPlex2DDriver(), cursor);
  if (!frames.Opened()) {
    std::fprintf(stderr, "masked_images_frame: graphics or %s did not open\n", cursor);
    return 1;
  }
  std::printf("masked 12x21 images per frame, ms per frame (budget %.1f ms)\n",
              bench::kMaskedFrameBudgetMs);
  for (int count : bench::kMaskedImageCounts) {
    std::printf("%8d %10.2f\n", count, frames.MsPerFrame(count));
  }
  std::printf("most at 72 Hz: %d\n", bench::MostMaskedImagesAt72Hz(frames));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // In a page, what main returns after the frames have handed the page back to the browser is
  // lost: the status goes out through exit.
  std::exit(Run(argc > 1 ? argv[1] : "cursor.png"));
}
