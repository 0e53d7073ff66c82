#include <corvax/pixmap/pixel_row.h>
#include <corvax/pixmap/pixmap_transforms.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "rgba_view.h"

namespace corvax {
namespace {

// Where one output coordinate samples the source: the first pixel, the second (the same one
// at the edges) and the weight of the second.
struct Tap {
  int first;
  int second;
  float weight;
};

Tap TapFor(int index, float scale, int sourceSize) {
  const float f = (static_cast<float>(index) + 0.5f) * scale - 0.5f;
  const int first = static_cast<int>(std::floor(f));
  if (first < 0) return {0, 0, 0.0f};
  if (first >= sourceSize - 1) return {sourceSize - 1, sourceSize - 1, 0.0f};
  return {first, first + 1, f - static_cast<float>(first)};
}

}  // namespace

Ref<TPixmap> PixmapResize(const Ref<TPixmap>& p, int w, int h) {
  Ref<TPixmap> result = TPixmap::Allocate(w, h, p->Format(), PIXMAP_ALIGN);
  const int srcW = p->Width();
  const int srcH = p->Height();
  if (srcW <= 0 || srcH <= 0 || w == 0 || h == 0) return result;
  const Ref<TPixmap> src = RGBAView(p);
  const float sx = static_cast<float>(srcW) / static_cast<float>(w);
  const float sy = static_cast<float>(srcH) / static_cast<float>(h);

  // Every row samples the same columns.
  std::vector<Tap> columns(static_cast<std::size_t>(w));
  for (int j = 0; j < w; ++j) columns[j] = TapFor(j, sx, srcW);

  std::vector<std::uint8_t> row(static_cast<std::size_t>(w) * 4);
  for (int i = 0; i < h; ++i) {
    const Tap r = TapFor(i, sy, srcH);
    const std::uint8_t* top = src->PixelAddress(0, r.first);
    const std::uint8_t* bottom = src->PixelAddress(0, r.second);
    std::uint8_t* out = row.data();
    for (const Tap& c : columns) {
      const std::uint8_t* a0 = top + 4 * c.first;
      const std::uint8_t* b0 = top + 4 * c.second;
      const std::uint8_t* a1 = bottom + 4 * c.first;
      const std::uint8_t* b1 = bottom + 4 * c.second;
      for (int k = 0; k < 4; ++k) {
        const float upper = a0[k] + (static_cast<float>(b0[k]) - a0[k]) * c.weight;
        const float lower = a1[k] + (static_cast<float>(b1[k]) - a1[k]) * c.weight;
        *out++ = static_cast<std::uint8_t>(upper + (lower - upper) * r.weight);
      }
    }
    ConvertPixelRow(row.data(), FORMAT_RGBA8888, result->PixelAddress(0, i), result->Format(), w);
  }
  return result;
}

}  // namespace corvax
