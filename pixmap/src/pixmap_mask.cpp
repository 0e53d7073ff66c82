#include <corvax/pixmap/pixmap_transforms.h>

#include <cstdint>

#include "rgba_view.h"

namespace corvax {

Ref<TPixmap> PixmapMaskColour(const Ref<TPixmap>& p, int r, int g, int b) {
  const Ref<TPixmap> src = RGBAView(p);
  const int w = src->Width();
  const int h = src->Height();
  Ref<TPixmap> result = TPixmap::Allocate(w, h, FORMAT_RGBA8888, PIXMAP_ALIGN);
  auto isMask = [&](const std::uint8_t* q) { return q[0] == r && q[1] == g && q[2] == b; };
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* in = src->PixelAddress(0, y);
    std::uint8_t* out = result->PixelAddress(0, y);
    for (int x = 0; x < w; ++x, in += 4, out += 4) {
      if (!isMask(in)) {
        out[0] = in[0], out[1] = in[1], out[2] = in[2], out[3] = 255;
        continue;
      }
      // Bleed the neighbours' colour in, so a filter that samples this pixel blends towards
      // the picture rather than towards the mask colour.
      int sum[3] = {0, 0, 0};
      int n = 0;
      for (int ny = y - 1; ny <= y + 1; ++ny) {
        if (ny < 0 || ny >= h) continue;
        for (int nx = x - 1; nx <= x + 1; ++nx) {
          if (nx < 0 || nx >= w) continue;
          const std::uint8_t* q = src->PixelAddress(nx, ny);
          if (isMask(q)) continue;
          sum[0] += q[0], sum[1] += q[1], sum[2] += q[2];
          ++n;
        }
      }
      for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>(n ? sum[c] / n : 0);
      out[3] = 0;
    }
  }
  return result;
}

}  // namespace corvax
