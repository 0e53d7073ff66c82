#pragma once
/// @file
/// @ingroup pixmap
/// PNG files through libpng: loading into pixmaps and saving pixmaps.
#include <vector>

#include <corvax/pixmap/pixmap_loader.h>

namespace corvax {

/// Every colour type and bit depth: 16-bit samples keep their high byte, palettes become RGB
/// (RGBA with a transparency chunk), low-bit grey becomes 8-bit grey. Grey loads as
/// FORMAT_GREY8, RGB as FORMAT_RGB888, anything with alpha as FORMAT_RGBA8888. Data that is not
/// PNG or that libpng cannot decode gives Null; a stream that fails or ends inside the image
/// throws its TStreamException.
class TPixmapLoaderPNG : public TPixmapLoader {
 public:
  Ref<TPixmap> LoadPixmapFrom(const Ref<TStream>& stream) override;
};

/// Writes an 8-bit PNG: grey for FORMAT_GREY8, RGB for the 3-byte formats, RGB with alpha for the
/// rest. A stream that fails while being written is closed and its exception thrown.
/// @param pixmap The picture.
/// @param url Where it goes.
/// @param compression zlib's level: 0 (none) to 9 (smallest); a negative value means zlib's default
/// and values above 9 mean 9.
/// @return true when written; false when the url cannot be opened for writing, libpng refuses the
/// image (an empty pixmap) or the stream fails to close (a full disk).
/// @sa PixmapSaveJPEG, PixmapLoad
bool PixmapSavePNG(const Ref<TPixmap>& pixmap, const Url& url, int compression);
/// A PNG file's bytes in memory. It touches nothing but the pixmap and the bytes, so it may run
/// on any thread, for a pixmap and bytes no other thread uses meanwhile.
/// @param pixmap The picture.
/// @param compression As PixmapSavePNG.
/// @param bytes Replaced by the file's bytes.
/// @return true when encoded; false when libpng refuses the image (an empty pixmap).
/// @sa PixmapSavePNG
bool PixmapEncodePNG(const TPixmap& pixmap, int compression, std::vector<std::uint8_t>& bytes);

}  // namespace corvax
