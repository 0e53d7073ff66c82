#include <corvax/plex2d/image.h>

#include <corvax/runtime/immortal.h>
#include <corvax/stream/data_input.h>
#include <corvax/stream/stream_exceptions.h>

namespace corvax {

const Ref<TImageDataType>& TImageDataType::Instance() {
  // Never destroyed, like the registry chain that also holds it.
  static auto* const instance = &MakeImmortal<Ref<TImageDataType>>(New<TImageDataType>());
  return *instance;
}

Ref<Object> TImageDataType::ReadInstance(TStream& stream) {
  const std::int32_t width = stream.ReadI32();
  const std::int32_t height = stream.ReadI32();
  const std::int32_t flags = stream.ReadI32();
  const std::int32_t r = stream.ReadI32();
  const std::int32_t g = stream.ReadI32();
  const std::int32_t b = stream.ReadI32();
  const float handleX = stream.ReadF32();
  const float handleY = stream.ReadF32();
  const std::int32_t frameCount = stream.ReadI32();
  if (width < 0 || height < 0 || frameCount < 0) throw TStreamReadException();
  // Every frame takes at least its one-byte object tag.
  CheckStoredSize(stream, frameCount);
  Ref<TImage> image(new TImage(width, height, frameCount, flags, r, g, b));
  image->SetHandle(handleX, handleY);
  for (int i = 0; i < frameCount; ++i) {
    const Ref<Object> object = stream.ReadObject();
    const Ref<TPixmap> pixmap = Cast<TPixmap>(object);
    if (object && !pixmap) throw TStreamReadException();
    if (pixmap && (pixmap->Width() != width || pixmap->Height() != height)) {
      throw TStreamReadException();
    }
    // Stored as written: the pixmap was masked, if at all, before it was written.
    image->pixmaps_[i] = pixmap;
  }
  return image;
}

void TImageDataType::WriteInstance(const Ref<Object>& object, TStream& stream) {
  const Ref<TImage> image = Cast<TImage>(object);
  stream.WriteI32(image->Width());
  stream.WriteI32(image->Height());
  stream.WriteI32(image->Flags());
  stream.WriteI32(image->MaskRed());
  stream.WriteI32(image->MaskGreen());
  stream.WriteI32(image->MaskBlue());
  stream.WriteF32(image->HandleX());
  stream.WriteF32(image->HandleY());
  stream.WriteI32(image->FrameCount());
  // A frame never set is written as Null, so the frames read back in their places.
  for (int i = 0; i < image->FrameCount(); ++i) stream.WriteObject(image->FramePixmap(i));
}

}  // namespace corvax
