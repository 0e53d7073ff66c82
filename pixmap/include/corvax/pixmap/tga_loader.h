#pragma once
/// @file
/// @ingroup pixmap
/// True-colour Targa files of 15, 16, 24 and 32 bits per pixel, raw or run-length encoded.
#include <corvax/pixmap/pixmap_loader.h>

namespace corvax {

/// Rows are read bottom-up whatever the descriptor's origin bits say. 16- and 32-bit files load
/// as FORMAT_RGBA8888 (a 16-bit pixel with bit 15 set is transparent), 15- and 24-bit files as
/// FORMAT_RGB888. Run-length packets fill the current row only: pixels of a packet beyond the
/// row's end are read and dropped. A colour map, an image type other than 2 (raw) or 10
/// (run-length), another depth, or a width or height outside 1-4096 gives Null. Data ending
/// early throws TStreamReadException.
class TPixmapLoaderTGA : public TPixmapLoader {
 public:
  Ref<TPixmap> LoadPixmapFrom(const Ref<TStream>& stream) override;
};

}  // namespace corvax
