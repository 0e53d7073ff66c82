// Frames of masked 12 x 21 images (the demonstration's pointer) drawn through the DirectX 7 2D
// driver beside the OpenGL 2D driver, in one run on the same display: milliseconds per frame
// (draw, present without waiting for retrace, read one pixel back so the frame has finished)
// for growing image counts, against the 13.9 ms of a 72 Hz frame. Google Benchmark is not built
// for Windows, so this program times itself: dx7_masked_images_bench [cursor.png].
#include <chrono>
#include <cstdio>

#include <corvax/dx7/dx7_module.h>
#include <corvax/plex2d/plex2d_module.h>

namespace {

using namespace corvax;

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kFrames = 60;
constexpr double kFrameBudgetMs = 1000.0 / 72;
constexpr int kCounts[] = {0, 100, 250, 500, 1000, 4000};

// Mean milliseconds per frame of count images, or -1 when the graphics do not open.
double MsPerFrame(const Ref<TPlex2DDriver>& driver, const char* cursor, int count) {
  SelectGraphicsDriver(driver, 2);
  if (!OpenGraphics(kWidth, kHeight, 0, 0)) return -1;
  SetMaskRGB(255, 0, 0);
  const Ref<TImage> image = LoadImageFromUrl(cursor, IMAGE_MASK);
  if (!image) return -1;
  SetBlendMode(BLEND_MASK);
  auto frame = [&] {
    ClearScreen();
    for (int i = 0; i < count; ++i) {
      DrawImageAt(image, static_cast<float>((i * 37) % (kWidth - 12)),
                  static_cast<float>((i * 91) % (kHeight - 21)));
    }
    PresentFrame(0);
    GrabPixmapAt(0, 0, 1, 1);
  };
  frame();  // textures made, caches warm
  const auto start = std::chrono::steady_clock::now();
  for (int f = 0; f < kFrames; ++f) frame();
  const std::chrono::duration<double, std::milli> elapsed =
      std::chrono::steady_clock::now() - start;
  CloseDefaultGraphics();
  return elapsed.count() / kFrames;
}

}  // namespace

int main(int argc, char** argv) {
  const char* cursor = argc > 1 ? argv[1] : "cursor.png";
  StartupDX7Module();
  const Ref<TPlex2DDriver> dx7 = D3D7Plex2DDriver();
  if (!dx7) {
    std::fprintf(stderr, "dx7_masked_images_bench: DirectX 7 cannot be used here\n");
    return 1;
  }
  std::printf("masked 12x21 images per frame, ms per frame (budget %.1f ms)\n", kFrameBudgetMs);
  std::printf("%8s %12s %12s\n", "images", "DirectX 7", "OpenGL");
  for (int count : kCounts) {
    const double dx = MsPerFrame(dx7, cursor, count);
    const double gl = MsPerFrame(GLPlex2DDriver(), cursor, count);
    if (dx < 0 || gl < 0) {
      std::fprintf(stderr, "dx7_masked_images_bench: graphics or the image did not open\n");
      return 1;
    }
    std::printf("%8d %12.2f %12.2f\n", count, dx, gl);
  }
  return 0;
}
