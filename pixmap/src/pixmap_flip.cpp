#include <corvax/pixmap/pixmap_transforms.h>

#include <cstring>

namespace corvax {

Ref<TPixmap> PixmapFlipHorizontal(const Ref<TPixmap>& p) {
  const int w = p->Width();
  Ref<TPixmap> result = TPixmap::Allocate(w, p->Height(), p->Format(), PIXMAP_ALIGN);
  const int bytes = BytesPerPixel[p->Format()];
  for (int y = 0; y < p->Height(); ++y) {
    const std::uint8_t* in = p->PixelAddress(0, y);
    std::uint8_t* out = result->PixelAddress(0, y);
    for (int x = 0; x < w; ++x) {
      std::memcpy(out + static_cast<std::ptrdiff_t>(x) * bytes,
                  in + static_cast<std::ptrdiff_t>(w - 1 - x) * bytes, bytes);
    }
  }
  return result;
}

Ref<TPixmap> PixmapFlipVertical(const Ref<TPixmap>& p) {
  const int h = p->Height();
  Ref<TPixmap> result = TPixmap::Allocate(p->Width(), h, p->Format(), PIXMAP_ALIGN);
  const auto rowBytes = static_cast<std::size_t>(p->Width()) * BytesPerPixel[p->Format()];
  for (int y = 0; y < h; ++y) {
    std::memcpy(result->PixelAddress(0, y), p->PixelAddress(0, h - 1 - y), rowBytes);
  }
  return result;
}

}  // namespace corvax
