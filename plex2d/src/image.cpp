#include <corvax/plex2d/image.h>

#include <corvax/pixmap/pixmap_loader.h>
#include <corvax/pixmap/pixmap_transforms.h>
#include <corvax/plex2d/plex2d_driver.h>
#include <corvax/plex2d/plex2d_graphics.h>

#include <corvax/graphics/graphics_core.h>

namespace corvax {
namespace {

Ref<TPixmap> SourcePixmap(const Url& source) {
  if (Ref<TPixmap> pixmap = Cast<TPixmap>(source.AsObject())) return pixmap;
  return PixmapLoad(source);
}

}  // namespace

TImage::TImage(int width, int height, int frameCount, int flags, int r, int g, int b)
    : width_(width),
      height_(height),
      flags_(flags),
      maskRed_(r),
      maskGreen_(g),
      maskBlue_(b),
      pixmaps_(static_cast<std::size_t>(frameCount)),
      frames_(static_cast<std::size_t>(frameCount)),
      sequence_(static_cast<std::size_t>(frameCount)) {}

Ref<TDataType> TImage::GetDataType() const {
  return TImageDataType::Instance();
}

void TImage::DropFrame(int index) {
  frames_[index] = nullptr;
  sequence_[index] = 0;
}

Ref<TImageFrame> TImage::FrameFor(int index) {
  const int now = GraphicsSequence();
  if (sequence_[index] == now) return frames_[index];
  Ref<TImageFrame> frame;
  if (Ref<TPlex2DDriver> driver = TPlex2DGraphics::CurrentDriver()) {
    frame = driver->MakeImageFrame(LockPixmap(index, 1, 0), flags_);
  }
  frames_[index] = frame;
  sequence_[index] = frame ? now : 0;
  return frame;
}

Ref<TPixmap> TImage::LockPixmap(int index, int /*read*/, int write) {
  if (write) DropFrame(index);
  Ref<TPixmap>& pixmap = pixmaps_[index];
  if (!pixmap) pixmap = PixmapCreate(width_, height_, FORMAT_RGBA8888);
  return pixmap;
}

void TImage::SetFramePixmap(int index, const Ref<TPixmap>& pixmap) {
  Ref<TPixmap>& stored = pixmaps_[index];
  if ((flags_ & IMAGE_MASK) && pixmap && AlphaBitsPerPixel[pixmap->Format()] == 0) {
    stored = PixmapMaskColour(pixmap, maskRed_, maskGreen_, maskBlue_);
  } else {
    stored = pixmap;
  }
  DropFrame(index);
}

Ref<TImage> TImage::CreateImageObject(int width, int height, int frameCount, int flags, int r,
                                      int g, int b) {
  if (width < 0 || height < 0) ThrowRuntimeError(u"Image size must not be negative");
  if (frameCount < 0) ThrowRuntimeError(u"Image frame count must not be negative");
  return Ref<TImage>(new TImage(width, height, frameCount, flags, r, g, b));
}

Ref<TImage> TImage::LoadImageObject(const Url& source, int flags, int r, int g, int b) {
  const Ref<TPixmap> pixmap = SourcePixmap(source);
  if (!pixmap) return nullptr;
  Ref<TImage> image = CreateImageObject(pixmap->Width(), pixmap->Height(), 1, flags, r, g, b);
  image->SetFramePixmap(0, pixmap);
  return image;
}

Ref<TImage> TImage::LoadStripObject(const Url& source, int cellWidth, int cellHeight, int first,
                                    int count, int flags, int r, int g, int b) {
  // Without these, the cell arithmetic divides by zero or reads outside the picture.
  if (cellWidth <= 0 || cellHeight <= 0 || first < 0 || count < 1) return nullptr;
  const Ref<TPixmap> pixmap = SourcePixmap(source);
  if (!pixmap) return nullptr;
  const int across = pixmap->Width() / cellWidth;
  const std::int64_t cells = std::int64_t{across} * (pixmap->Height() / cellHeight);
  if (cells < std::int64_t{first} + count) return nullptr;
  Ref<TImage> image = CreateImageObject(cellWidth, cellHeight, count, flags, r, g, b);
  for (int i = first; i < first + count; ++i) {
    const Ref<TPixmap> cell = pixmap->SubWindow(cellWidth * (i % across), cellHeight * (i / across),
                                                cellWidth, cellHeight);
    image->SetFramePixmap(i - first, cell->Clone());
  }
  return image;
}

}  // namespace corvax
