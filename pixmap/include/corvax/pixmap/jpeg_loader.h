#pragma once
/// @file
/// @ingroup pixmap
/// JPEG files through libjpeg (interface 62): loading into pixmaps and saving pixmaps.
#include <corvax/pixmap/pixmap_loader.h>

namespace corvax {

/// Greyscale files load as FORMAT_GREY8, colour files as FORMAT_RGB888; other component counts
/// (CMYK), data libjpeg cannot decode, and data that ends before the image does give Null. A
/// stream that fails with an exception of its own throws it once libjpeg is released.
///
/// Where the stream's length is known, a file too short for the size its header claims gives
/// Null, and a line on standard error, before any decoding: Huffman coding spends at least one
/// bit on each 8 x 8 block of a component, so the data from the loader's start to the stream's
/// end must hold one bit per block of the largest component. Arithmetic coding has no such
/// floor (a plain picture costs almost nothing), so an arithmetic-coded file is held to it only
/// past 16,777,216 pixels (4096 x 4096).
class TPixmapLoaderJPG : public TPixmapLoader {
 public:
  Ref<TPixmap> LoadPixmapFrom(const Ref<TStream>& stream) override;
};

/// Writes a baseline JPEG of the pixmap's colours. Every byte libjpeg produces reaches the stream
/// before it is closed; a stream that fails while being written is closed and its exception thrown.
/// @param pixmap The picture.
/// @param url Where it goes.
/// @param quality 1-100; values outside are taken as the nearest.
/// @return true when written; false when the url cannot be opened for writing, libjpeg refuses
/// the image (an empty pixmap) or the stream fails to close (a full disk).
/// @sa PixmapSavePNG
bool PixmapSaveJPEG(const Ref<TPixmap>& pixmap, const Url& url, int quality);

}  // namespace corvax
