#pragma once
/// @file
/// A rectangle of pixels in main memory, in one of the byte-oriented pixel formats.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupPixmapModule() for this module
/// alone, before any other call.
/// Call first: PixmapLoad (pixmap_loader.h) or PixmapCreate. Example: examples/pixmaps.cpp.
#include <cstdint>

#include <corvax/pixmap/pixel_format.h>
#include <corvax/runtime/object.h>
#include <corvax/stream/data_type.h>

namespace corvax {

/// A rectangle of pixels in main memory; serialisable. Rows are Pitch() bytes apart.
class TPixmap : public TData {
 public:
  ~TPixmap() override;

  /// The one pixmap data type ("KVT.Pixmap.TPixmap").
  Ref<TDataType> GetDataType() const override;

  /// The top-left pixel's address.
  std::uint8_t* Pixels() const { return pixels_; }
  /// The width in pixels.
  int Width() const { return width_; }
  /// The height in pixels.
  int Height() const { return height_; }
  /// Bytes from one row to the next.
  int Pitch() const { return pitch_; }
  /// The pixel format id (pixel_format.h).
  int Format() const { return format_; }
  /// Bytes of pixel memory this pixmap owns, or -1 when the memory belongs to someone else.
  int Capacity() const { return capacity_; }
  /// The pixmap whose memory a window shares; Null for any other pixmap.
  const Ref<TPixmap>& Parent() const { return parent_; }

  /// None of the per-pixel operations test coordinates: callers stay inside the pixmap.
  virtual std::uint8_t* PixelAddress(int x, int y) const;
  /// A pixmap sharing this memory; it keeps this pixmap alive.
  virtual Ref<TPixmap> SubWindow(int x, int y, int w, int h);
  /// A new pixmap of align 4 with the same size, format and pixels.
  virtual Ref<TPixmap> Clone() const;
  /// Copies source into this pixmap at (x, y), converting its format; it must fit.
  virtual void PasteFrom(const Ref<TPixmap>& source, int x, int y);
  /// A new pixmap of align 4 with the pixels in another format (1-12).
  virtual Ref<TPixmap> ConvertTo(int format) const;
  /// Formats outside 1-6 read as 0 and are not written.
  ///@{
  virtual ARGB GetPixel(int x, int y) const;
  virtual void SetPixel(int x, int y, ARGB argb);
  ///@}

  /// New zero-filled memory; pitch is w * bytes per pixel rounded up to a multiple of align (an
  /// align below 1 counts as 1).
  /// Throws a runtime error for a negative size, a format outside 1-12, or pixel memory that
  /// would not fit in 2^31 - 1 bytes.
  static Ref<TPixmap> Allocate(int w, int h, int format, int align);
  /// Memory that stays the caller's: never copied and never freed. Throws a runtime error for a
  /// format outside 1-12.
  static Ref<TPixmap> WrapMemory(void* pixels, int w, int h, int pitch, int format);

  /// The pitch Allocate would choose, or -1 when w * bytes per pixel does not fit.
  static std::int64_t AlignedPitch(std::int64_t w, int format, int align);
  /// Whether Allocate accepts this size: w and h above 0, the memory within 2^31 - 1 bytes.
  /// Loaders ask before allocating for a size read from a file.
  static bool IsAcceptableSize(std::int64_t w, std::int64_t h, int format);

 private:
  friend struct PixmapAllocator;  // the loaders' allocation that skips the zero fill

  TPixmap(std::uint8_t* pixels, int w, int h, int pitch, int format, int capacity)
      : pixels_(pixels),
        width_(w),
        height_(h),
        pitch_(pitch),
        format_(format),
        capacity_(capacity) {}

  std::uint8_t* pixels_;
  int width_;
  int height_;
  int pitch_;
  int format_;
  int capacity_;
  Ref<TPixmap> parent_;
};

/// All pixmaps the framework makes itself (copies, conversions, loaded images) use align 4.
constexpr int PIXMAP_ALIGN = 4;

/// Free-function forms of TPixmap's operations, same results and exceptions: PixmapCreate
/// (Allocate), PixmapCreateStatic (WrapMemory), PixmapCopy (Clone), PixmapConvert (ConvertTo),
/// the getters, PixmapGetPixelPtr (PixelAddress), PixmapGetWindow (SubWindow), PixmapReadPixel
/// and PixmapWritePixel. A Null pixmap throws TNullObjectException.
///@{
Ref<TPixmap> PixmapCreate(int w, int h, int format, int align = PIXMAP_ALIGN);
Ref<TPixmap> PixmapCreateStatic(void* pixels, int w, int h, int pitch, int format);
Ref<TPixmap> PixmapCopy(const Ref<TPixmap>& p);
Ref<TPixmap> PixmapConvert(const Ref<TPixmap>& p, int format);
int PixmapGetWidth(const Ref<TPixmap>& p);
int PixmapGetHeight(const Ref<TPixmap>& p);
int PixmapGetPitch(const Ref<TPixmap>& p);
int PixmapGetFormat(const Ref<TPixmap>& p);
std::uint8_t* PixmapGetPixelPtr(const Ref<TPixmap>& p, int x, int y);
Ref<TPixmap> PixmapGetWindow(const Ref<TPixmap>& p, int x, int y, int w, int h);
ARGB PixmapReadPixel(const Ref<TPixmap>& p, int x, int y);
void PixmapWritePixel(const Ref<TPixmap>& p, int x, int y, ARGB argb);
///@}

}  // namespace corvax
