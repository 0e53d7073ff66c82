#pragma once
// Pixel memory for a writer that fills every pixel itself, such as a decoder: zero-filling a
// large image first costs a whole pass over its memory, which freshly reused heap memory needs.
#include <corvax/pixmap/pixmap.h>

namespace corvax {

struct PixmapAllocator {
  enum Fill {
    kZeroFilled,
    // Only the bytes past each row's last pixel are zeroed: the caller writes every pixel before
    // the pixmap is seen.
    kRowPaddingFilled,
  };
  // As TPixmap::Allocate, which is the zero-filled form, with the same exceptions.
  static Ref<TPixmap> Create(int w, int h, int format, int align, Fill fill);
};

}  // namespace corvax
