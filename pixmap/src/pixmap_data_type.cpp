#include <corvax/pixmap/pixmap.h>
#include <corvax/pixmap/pixmap_data_type.h>

#include <corvax/runtime/immortal.h>
#include <corvax/stream/data_input.h>

namespace corvax {

const Ref<TPixmapDataType>& TPixmapDataType::Instance() {
  // Never destroyed, like the registry chain that also holds it.
  static auto* const instance = &MakeImmortal<Ref<TPixmapDataType>>(New<TPixmapDataType>());
  return *instance;
}

Ref<Object> TPixmapDataType::ReadInstance(TStream& stream) {
  const std::int32_t width = stream.ReadI32();
  const std::int32_t height = stream.ReadI32();
  const std::int32_t format = stream.ReadI32();
  const bool empty = width == 0 || height == 0;
  // Even an empty pixmap needs a row that could exist, as the pixmap made from it gets a pitch.
  if (width < 0 || height < 0 || !IsPixelFormat(format) ||
      TPixmap::AlignedPitch(width, format, PIXMAP_ALIGN) < 0 ||
      (!empty && !TPixmap::IsAcceptableSize(width, height, format))) {
    throw TStreamReadException();
  }
  // An empty pixmap stores no rows, however wide or tall it claims to be.
  if (empty) return PixmapCreate(width, height, format);
  const int rowBytes = width * BytesPerPixel[format];
  CheckStoredSize(stream, std::int64_t{rowBytes} * height);
  Ref<TPixmap> pixmap = PixmapCreate(width, height, format);
  for (int y = 0; y < height; ++y) ReadStoredBytes(stream, pixmap->PixelAddress(0, y), rowBytes);
  return pixmap;
}

void TPixmapDataType::WriteInstance(const Ref<Object>& object, TStream& stream) {
  const Ref<TPixmap> pixmap = Cast<TPixmap>(object);
  stream.WriteI32(pixmap->Width());
  stream.WriteI32(pixmap->Height());
  stream.WriteI32(pixmap->Format());
  if (pixmap->Width() == 0 || pixmap->Height() == 0) return;
  const int rowBytes = pixmap->Width() * BytesPerPixel[pixmap->Format()];
  for (int y = 0; y < pixmap->Height(); ++y) {
    stream.WriteBlock(pixmap->PixelAddress(0, y), rowBytes);
  }
}

}  // namespace corvax
