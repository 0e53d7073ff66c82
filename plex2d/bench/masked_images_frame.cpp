// Frames of masked 12 x 21 images through the OpenGL 2D driver: the same program natively and in
// a page (scripts/web-bench runs both in one go and sets them side by side).
//   masked_images_frame [cursor.png]
#include <cstdio>

#include "masked_images.h"

int main(int argc, char** argv) {
  using namespace corvax;
  const char* cursor = argc > 1 ? argv[1] : "cursor.png";
  StartupGLPlex2DModule();
  std::printf("masked 12x21 images per frame, ms per frame (budget %.1f ms)\n",
              bench::kMaskedFrameBudgetMs);
  for (int count : bench::kMaskedImageCounts) {
    const double ms = bench::MaskedImagesMsPerFrame(GLPlex2DDriver(), cursor, count);
    if (ms < 0) {
      std::fprintf(stderr, "masked_images_frame: graphics or %s did not open\n", cursor);
      return 1;
    }
    std::printf("%8d %10.2f\n", count, ms);
  }
  return 0;
}
