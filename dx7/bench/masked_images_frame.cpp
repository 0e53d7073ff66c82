// Frames of masked 12 x 21 images (the demonstration's pointer) drawn through the DirectX 7 2D
// driver beside the OpenGL 2D driver, in one run on the same display: milliseconds per frame
// (draw, present without waiting for retrace, read one pixel back so the frame has finished)
// for growing image counts, against the 13.9 ms of a 72 Hz frame. Google Benchmark is not built
// for Windows, so this program times itself: dx7_masked_images_bench [cursor.png].
#include <cstdio>

#include <corvax/dx7/dx7_module.h>

#include "masked_images.h"

int main(int argc, char** argv) {
  using namespace corvax;
  const char* cursor = argc > 1 ? argv[1] : "cursor.png";
  StartupDX7Module();
  const Ref<TPlex2DDriver> dx7 = D3D7Plex2DDriver();
  if (!dx7) {
    std::fprintf(stderr, "dx7_masked_images_bench: DirectX 7 cannot be used here\n");
    return 1;
  }
  std::printf("masked 12x21 images per frame, ms per frame (budget %.1f ms)\n",
              bench::kMaskedFrameBudgetMs);
  std::printf("%8s %12s %12s\n", "images", "DirectX 7", "OpenGL");
  for (int count : bench::kMaskedImageCounts) {
    const double dx = bench::MaskedImagesMsPerFrame(dx7, cursor, count);
    const double gl = bench::MaskedImagesMsPerFrame(GLPlex2DDriver(), cursor, count);
    if (dx < 0 || gl < 0) {
      std::fprintf(stderr, "dx7_masked_images_bench: graphics or the image did not open\n");
      return 1;
    }
    std::printf("%8d %12.2f %12.2f\n", count, dx, gl);
  }
  return 0;
}
