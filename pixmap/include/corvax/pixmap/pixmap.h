#pragma once
/// @file
/// @ingroup pixmap
/// A rectangle of pixels in main memory, in one of the byte-oriented pixel formats.
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

  /// @return The one pixmap data type ("KVT.Pixmap.TPixmap").
  Ref<TDataType> GetDataType() const override;

  /// @return The top-left pixel's address.
  std::uint8_t* Pixels() const { return pixels_; }
  /// @return The width in pixels.
  int Width() const { return width_; }
  /// @return The height in pixels.
  int Height() const { return height_; }
  /// @return Bytes from one row to the next.
  int Pitch() const { return pitch_; }
  /// @return The pixel format id (pixel_format.h).
  int Format() const { return format_; }
  /// @return Bytes of pixel memory this pixmap owns, or -1 when the memory belongs to someone else.
  int Capacity() const { return capacity_; }
  /// @return The pixmap whose memory a window shares; Null for any other pixmap.
  /// @sa SubWindow
  const Ref<TPixmap>& Parent() const { return parent_; }

  /// None of the per-pixel operations test coordinates: callers stay inside the pixmap.
  /// @param x The column.
  /// @param y The row.
  /// @return The pixel's address.
  virtual std::uint8_t* PixelAddress(int x, int y) const;
  /// A pixmap sharing this memory; it keeps this pixmap alive.
  /// @param x The window's left column.
  /// @param y Its top row.
  /// @param w Its width.
  /// @param h Its height.
  /// @return The window.
  virtual Ref<TPixmap> SubWindow(int x, int y, int w, int h);
  /// @return A new pixmap of align 4 with the same size, format and pixels.
  virtual Ref<TPixmap> Clone() const;
  /// Copies source into this pixmap at (x, y), converting its format; it must fit.
  /// @param source The pixels to copy.
  /// @param x Where its left column goes.
  /// @param y Where its top row goes.
  virtual void PasteFrom(const Ref<TPixmap>& source, int x, int y);
  /// @param format The new format (1-12).
  /// @return A new pixmap of align 4 with the pixels in that format.
  virtual Ref<TPixmap> ConvertTo(int format) const;
  /// Formats outside 1-6 read as 0.
  /// @param x The column.
  /// @param y The row.
  /// @return The pixel's colour.
  /// @sa SetPixel
  virtual ARGB GetPixel(int x, int y) const;
  /// Formats outside 1-6 are not written.
  /// @param x The column.
  /// @param y The row.
  /// @param argb The colour.
  virtual void SetPixel(int x, int y, ARGB argb);

  /// New zero-filled memory. Throws a runtime error for a negative size, a format outside 1-12, or
  /// pixel memory that would not fit in 2^31 - 1 bytes.
  /// @param w The width.
  /// @param h The height.
  /// @param format The pixel format.
  /// @param align The pitch is w * bytes per pixel rounded up to a multiple of align (below 1
  /// counts as 1).
  /// @return The pixmap.
  /// @sa AlignedPitch, IsAcceptableSize
  static Ref<TPixmap> Allocate(int w, int h, int format, int align);
  /// Memory that stays the caller's: never copied and never freed. Throws a runtime error for a
  /// format outside 1-12.
  /// @param pixels The top-left pixel.
  /// @param w The width.
  /// @param h The height.
  /// @param pitch Bytes from one row to the next.
  /// @param format The pixel format.
  /// @return The pixmap.
  static Ref<TPixmap> WrapMemory(void* pixels, int w, int h, int pitch, int format);

  /// @param w The width.
  /// @param format The pixel format.
  /// @param align The row alignment.
  /// @return The pitch Allocate would choose, or -1 when w * bytes per pixel does not fit.
  static std::int64_t AlignedPitch(std::int64_t w, int format, int align);
  /// Loaders ask before allocating for a size read from a file.
  /// @param w The width.
  /// @param h The height.
  /// @param format The pixel format.
  /// @return Whether Allocate accepts this size: w and h above 0, the memory within 2^31 - 1 bytes.
  static bool IsAcceptableSize(std::int64_t w, std::int64_t h, int format);

 private:
  friend struct PixmapAllocator;  // the loaders' allocation that skips the zero fill

  /// A pixmap over pixels; Allocate and WrapMemory make them.
  /// @param pixels The top-left pixel.
  /// @param w The width.
  /// @param h The height.
  /// @param pitch Bytes from one row to the next.
  /// @param format The pixel format.
  /// @param capacity Bytes owned, or -1 for memory that belongs to someone else.
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

/// TPixmap::Allocate as a free function. These free-function forms have TPixmap's results and
/// exceptions; a Null pixmap throws TNullObjectException.
/// @param w The width.
/// @param h The height.
/// @param format The pixel format.
/// @param align The row alignment.
/// @return The pixmap.
Ref<TPixmap> PixmapCreate(int w, int h, int format, int align = PIXMAP_ALIGN);
/// TPixmap::WrapMemory as a free function.
/// @param pixels The top-left pixel.
/// @param w The width.
/// @param h The height.
/// @param pitch Bytes from one row to the next.
/// @param format The pixel format.
/// @return The pixmap.
Ref<TPixmap> PixmapCreateStatic(void* pixels, int w, int h, int pitch, int format);
/// @param p The pixmap.
/// @return TPixmap::Clone of it.
Ref<TPixmap> PixmapCopy(const Ref<TPixmap>& p);
/// @param p The pixmap.
/// @param format The new format.
/// @return TPixmap::ConvertTo of it.
Ref<TPixmap> PixmapConvert(const Ref<TPixmap>& p, int format);
/// @param p The pixmap.
/// @return Its width.
int PixmapGetWidth(const Ref<TPixmap>& p);
/// @param p The pixmap.
/// @return Its height.
int PixmapGetHeight(const Ref<TPixmap>& p);
/// @param p The pixmap.
/// @return Its pitch.
int PixmapGetPitch(const Ref<TPixmap>& p);
/// @param p The pixmap.
/// @return Its format.
int PixmapGetFormat(const Ref<TPixmap>& p);
/// @param p The pixmap.
/// @param x The column.
/// @param y The row.
/// @return TPixmap::PixelAddress of it.
std::uint8_t* PixmapGetPixelPtr(const Ref<TPixmap>& p, int x, int y);
/// @param p The pixmap.
/// @param x The window's left column.
/// @param y Its top row.
/// @param w Its width.
/// @param h Its height.
/// @return TPixmap::SubWindow of it.
Ref<TPixmap> PixmapGetWindow(const Ref<TPixmap>& p, int x, int y, int w, int h);
/// @param p The pixmap.
/// @param x The column.
/// @param y The row.
/// @return TPixmap::GetPixel of it.
ARGB PixmapReadPixel(const Ref<TPixmap>& p, int x, int y);
/// TPixmap::SetPixel of the pixmap.
/// @param p The pixmap.
/// @param x The column.
/// @param y The row.
/// @param argb The colour.
void PixmapWritePixel(const Ref<TPixmap>& p, int x, int y, ARGB argb);

}  // namespace corvax
