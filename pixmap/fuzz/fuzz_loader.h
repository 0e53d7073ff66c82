#pragma once
// Feeds fuzzer input to one registered loader and reads every byte of what it returns.
#include <cstddef>
#include <cstdint>

#include <corvax/pixmap/pixmap_module.h>
#include <corvax/stream/ram_stream.h>

namespace corvax::fuzzing {

// Where the pixel reads go, so they are not optimised away.
inline volatile unsigned pixel_sink = 0;

template <class Loader>
int RunLoader(const std::uint8_t* data, std::size_t size) {
  static const Ref<TPixmapLoader> loader = [] {
    StartupPixmapModule();
    for (Ref<TPixmapLoader> l = TPixmapLoader::FirstLoader(); l; l = l->NextLoader()) {
      if (Cast<Loader>(l)) return l;
    }
    __builtin_trap();
  }();
  Ref<TStream> stream =
      CreateRamStream(const_cast<std::uint8_t*>(data), static_cast<int>(size), true, false);
  Ref<TPixmap> pixmap;
  try {
    pixmap = loader->LoadPixmapFrom(stream);
  } catch (const TStreamException&) {
    return 0;  // a refusal
  }
  if (!pixmap) return 0;
  // The loader contract: align 4, formats 1-6, every row within the memory.
  if (pixmap->Format() < 1 || pixmap->Format() > 6 || pixmap->Pitch() % 4) __builtin_trap();
  unsigned sum = 0;
  const int rowBytes = pixmap->Width() * BytesPerPixel[pixmap->Format()];
  for (int y = 0; y < pixmap->Height(); ++y) {
    const std::uint8_t* row = pixmap->PixelAddress(0, y);
    for (int i = 0; i < rowBytes; ++i) sum += row[i];
  }
  pixel_sink = sum;
  return 0;
}

}  // namespace corvax::fuzzing
