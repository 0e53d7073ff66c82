#pragma once
/// @file
/// @ingroup pixmap
/// Uncompressed Windows bitmaps of 1, 4, 8, 24 and 32 bits per pixel.
#include <corvax/pixmap/pixmap_loader.h>

namespace corvax {

/// The header is always read as the 40-byte information header, and the pixel rows (bottom-up,
/// each padded to 4 bytes) follow the palette directly. 32-bit files load as FORMAT_BGRA8888
/// with their fourth byte as alpha, all others as FORMAT_BGR888. A width or height of 0 or less,
/// pixel memory beyond 2^31 - 1 bytes, or an unsupported depth gives Null; a palette index
/// beyond the entries the file holds takes entry 0. Data ending early throws
/// TStreamReadException.
class TPixmapLoaderBMP : public TPixmapLoader {
 public:
  Ref<TPixmap> LoadPixmapFrom(const Ref<TStream>& stream) override;
};

}  // namespace corvax
