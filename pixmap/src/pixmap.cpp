#include <corvax/pixmap/pixel_row.h>
#include <corvax/pixmap/pixmap.h>
#include <corvax/pixmap/pixmap_data_type.h>

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

#include <corvax/runtime/exceptions.h>

#include "pixmap_allocator.h"

namespace corvax {
namespace {

constexpr std::int64_t kMaxPixelBytes = std::numeric_limits<std::int32_t>::max();

}  // namespace

TPixmap::~TPixmap() {
  if (capacity_ >= 0) std::free(pixels_);
}

Ref<TDataType> TPixmap::GetDataType() const {
  return TPixmapDataType::Instance();
}

std::int64_t TPixmap::AlignedPitch(std::int64_t w, int format, int align) {
  if (!IsPixelFormat(format) || w < 0 || w > kMaxPixelBytes) return -1;
  // An alignment below 1 would divide by zero; it means no alignment.
  const std::int64_t a = align < 1 ? 1 : align;
  const std::int64_t pitch = (w * BytesPerPixel[format] + a - 1) / a * a;
  return pitch > kMaxPixelBytes ? -1 : pitch;
}

bool TPixmap::IsAcceptableSize(std::int64_t w, std::int64_t h, int format) {
  if (w <= 0 || h <= 0 || h > kMaxPixelBytes) return false;
  const std::int64_t pitch = AlignedPitch(w, format, PIXMAP_ALIGN);
  return pitch >= 0 && pitch * h <= kMaxPixelBytes;
}

Ref<TPixmap> TPixmap::Allocate(int w, int h, int format, int align) {
  return PixmapAllocator::Create(w, h, format, align, PixmapAllocator::kZeroFilled);
}

Ref<TPixmap> PixmapAllocator::Create(int w, int h, int format, int align, Fill fill) {
  if (!IsPixelFormat(format)) ThrowRuntimeError(u"Invalid pixmap format");
  const std::int64_t pitch = TPixmap::AlignedPitch(w, format, align);
  if (pitch < 0 || h < 0 || pitch * h > kMaxPixelBytes) ThrowRuntimeError(u"Invalid pixmap size");
  const auto capacity = static_cast<int>(pitch * h);
  const std::size_t bytes = capacity > 0 ? static_cast<std::size_t>(capacity) : 1;
  // Either way no pixmap ever shows what the memory held before.
  auto* pixels =
      static_cast<std::uint8_t*>(fill == kZeroFilled ? std::calloc(bytes, 1) : std::malloc(bytes));
  if (!pixels) throw std::bad_alloc();
  if (fill == kRowPaddingFilled) {
    const std::int64_t used = std::int64_t{w} * BytesPerPixel[format];
    for (std::int64_t y = 0; used < pitch && y < h; ++y) {
      std::memset(pixels + y * pitch + used, 0, static_cast<std::size_t>(pitch - used));
    }
  }
  return Ref<TPixmap>(new TPixmap(pixels, w, h, static_cast<int>(pitch), format, capacity));
}

Ref<TPixmap> TPixmap::WrapMemory(void* pixels, int w, int h, int pitch, int format) {
  if (!IsPixelFormat(format)) ThrowRuntimeError(u"Invalid pixmap format");
  return Ref<TPixmap>(new TPixmap(static_cast<std::uint8_t*>(pixels), w, h, pitch, format, -1));
}

std::uint8_t* TPixmap::PixelAddress(int x, int y) const {
  return pixels_ + static_cast<std::ptrdiff_t>(y) * pitch_ +
         static_cast<std::ptrdiff_t>(x) * BytesPerPixel[format_];
}

Ref<TPixmap> TPixmap::SubWindow(int x, int y, int w, int h) {
  Ref<TPixmap> window = WrapMemory(PixelAddress(x, y), w, h, pitch_, format_);
  window->parent_ = Ref<TPixmap>(this);
  return window;
}

Ref<TPixmap> TPixmap::Clone() const {
  Ref<TPixmap> copy = Allocate(width_, height_, format_, PIXMAP_ALIGN);
  for (int y = 0; y < height_; ++y)
    CopyPixelRow(PixelAddress(0, y), copy->PixelAddress(0, y), format_, width_);
  return copy;
}

Ref<TPixmap> TPixmap::ConvertTo(int format) const {
  Ref<TPixmap> result = Allocate(width_, height_, format, PIXMAP_ALIGN);
  for (int y = 0; y < height_; ++y) {
    ConvertPixelRow(PixelAddress(0, y), format_, result->PixelAddress(0, y), format, width_);
  }
  return result;
}

void TPixmap::PasteFrom(const Ref<TPixmap>& source, int x, int y) {
  for (int i = 0; i < source->height_; ++i) {
    ConvertPixelRow(source->PixelAddress(0, i), source->format_, PixelAddress(x, y + i), format_,
                    source->width_);
  }
}

ARGB TPixmap::GetPixel(int x, int y) const {
  const std::uint8_t* p = PixelAddress(x, y);
  auto argb = [](ARGB a, ARGB r, ARGB g, ARGB b) { return a << 24 | r << 16 | g << 8 | b; };
  switch (format_) {
    case FORMAT_GREY8:
      return argb(255, p[0], p[0], p[0]);
    case FORMAT_ALPHA8:
      return argb(p[0], 255, 255, 255);
    case FORMAT_BGR888:
      return argb(255, p[2], p[1], p[0]);
    case FORMAT_RGB888:
      return argb(255, p[0], p[1], p[2]);
    case FORMAT_BGRA8888:
      return argb(p[3], p[2], p[1], p[0]);
    case FORMAT_RGBA8888:
      return argb(p[3], p[0], p[1], p[2]);
    default:
      return 0;
  }
}

void TPixmap::SetPixel(int x, int y, ARGB argb) {
  std::uint8_t* p = PixelAddress(x, y);
  const auto a = static_cast<std::uint8_t>(argb >> 24);
  const auto r = static_cast<std::uint8_t>(argb >> 16);
  const auto g = static_cast<std::uint8_t>(argb >> 8);
  const auto b = static_cast<std::uint8_t>(argb);
  switch (format_) {
    case FORMAT_GREY8:
      p[0] = static_cast<std::uint8_t>((r + g + b) / 3);
      break;
    case FORMAT_ALPHA8:
      p[0] = a;
      break;
    case FORMAT_BGR888:
      p[0] = b, p[1] = g, p[2] = r;
      break;
    case FORMAT_RGB888:
      p[0] = r, p[1] = g, p[2] = b;
      break;
    case FORMAT_BGRA8888:
      p[0] = b, p[1] = g, p[2] = r, p[3] = a;
      break;
    case FORMAT_RGBA8888:
      p[0] = r, p[1] = g, p[2] = b, p[3] = a;
      break;
  }
}

Ref<TPixmap> PixmapCreate(int w, int h, int format, int align) {
  return TPixmap::Allocate(w, h, format, align);
}
Ref<TPixmap> PixmapCreateStatic(void* pixels, int w, int h, int pitch, int format) {
  return TPixmap::WrapMemory(pixels, w, h, pitch, format);
}
Ref<TPixmap> PixmapCopy(const Ref<TPixmap>& p) {
  return p->Clone();
}
Ref<TPixmap> PixmapConvert(const Ref<TPixmap>& p, int format) {
  return p->ConvertTo(format);
}
int PixmapGetWidth(const Ref<TPixmap>& p) {
  return p->Width();
}
int PixmapGetHeight(const Ref<TPixmap>& p) {
  return p->Height();
}
int PixmapGetPitch(const Ref<TPixmap>& p) {
  return p->Pitch();
}
int PixmapGetFormat(const Ref<TPixmap>& p) {
  return p->Format();
}
std::uint8_t* PixmapGetPixelPtr(const Ref<TPixmap>& p, int x, int y) {
  return p->PixelAddress(x, y);
}
Ref<TPixmap> PixmapGetWindow(const Ref<TPixmap>& p, int x, int y, int w, int h) {
  return p->SubWindow(x, y, w, h);
}
ARGB PixmapReadPixel(const Ref<TPixmap>& p, int x, int y) {
  return p->GetPixel(x, y);
}
void PixmapWritePixel(const Ref<TPixmap>& p, int x, int y, ARGB argb) {
  p->SetPixel(x, y, argb);
}

}  // namespace corvax
