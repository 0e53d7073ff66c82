#pragma once
/// @file
/// @ingroup plex2d
/// Drawable pictures of one or more equal-size frames. Each frame keeps its pixmap in main memory;
/// the current 2D driver's drawable form of it is made on first draw and remade whenever the
/// graphics have been replaced since.
/// Call first: LoadImageFromUrl; drawing it (DrawImageAt, draw.h) needs OpenGraphics. Example:
/// examples/images.cpp.
#include <corvax/pixmap/pixmap.h>
#include <corvax/plex2d/color.h>
#include <corvax/plex2d/image_frame.h>
#include <corvax/plex2d/point.h>
#include <corvax/runtime/array.h>
#include <corvax/stream/data_type.h>
#include <corvax/stream/url.h>

namespace corvax {

/// Image flags: IMAGE_ constants combined with |, or -1 where a call says it takes the default.
using ImageFlags = int;

/// Pixels of the image's mask colour become transparent, unless the pixmap has alpha already.
inline constexpr ImageFlags IMAGE_MASK = 1;
/// Linear filtering when drawn scaled.
inline constexpr ImageFlags IMAGE_FILTERED = 2;
/// The driver builds mipmap levels.
inline constexpr ImageFlags IMAGE_MIPMAPPED = 4;
/// Changed often; added by CreateBlankImage.
inline constexpr ImageFlags IMAGE_DYNAMIC = 8;

/// A picture of one or more frames of the same size, drawn by the 2D renderer; serialisable.
/// Each frame keeps its pixmap and the driver's drawable form of it.
class TImage : public TData {
 public:
  Ref<TDataType> GetDataType() const override;

  /// The current 2D driver's form of the frame, made when missing or made for earlier graphics.
  /// @param index The frame.
  /// @return The drawable form; Null when the driver cannot make it (the next call tries again).
  /// @sa TPlex2DDriver::MakeImageFrame
  virtual Ref<TImageFrame> FrameFor(int index);
  /// The frame's pixmap, created blank (RGBA, transparent black) when it has none.
  /// @param index The frame.
  /// @param read Non-zero when the caller reads the pixels.
  /// @param write Non-zero drops the drawable form, so the next draw shows the caller's changes.
  /// @return The pixmap.
  /// @sa LockImageFrame, FramePixmap, SetFramePixmap
  virtual Ref<TPixmap> LockPixmap(int index, int read, int write);
  /// Masks the pixmap first when the image has IMAGE_MASK and the pixmap has no alpha.
  /// @param index The frame.
  /// @param pixmap Its new pixmap.
  /// @sa LockPixmap
  virtual void SetFramePixmap(int index, const Ref<TPixmap>& pixmap);

  /// Throws a runtime error for a negative size or frame count.
  /// @param width The frame width in pixels.
  /// @param height The frame height in pixels.
  /// @param frameCount The number of frames, none with a pixmap yet.
  /// @param flags IMAGE_ flags.
  /// @param r The mask colour's red, 0-255.
  /// @param g Its green.
  /// @param b Its blue.
  /// @return The image.
  /// @sa CreateBlankImage
  static Ref<TImage> CreateImageObject(int width, int height, int frameCount, ImageFlags flags,
                                       int r, int g, int b);
  /// An image of one frame.
  /// @param source A TPixmap, or anything PixmapLoad reads.
  /// @param flags IMAGE_ flags.
  /// @param r The mask colour's red, 0-255.
  /// @param g Its green.
  /// @param b Its blue.
  /// @return The image; Null when there is no picture.
  /// @sa LoadImageFromUrl
  static Ref<TImage> LoadImageObject(const Url& source, ImageFlags flags, int r, int g, int b);
  /// Cells are numbered left to right and top to bottom; cells first to first + count - 1
  /// become frames 0 to count - 1.
  /// @param source A TPixmap, or anything PixmapLoad reads.
  /// @param cellWidth The cell width in pixels.
  /// @param cellHeight The cell height in pixels.
  /// @param first The first cell taken.
  /// @param count How many cells.
  /// @param flags IMAGE_ flags.
  /// @param r The mask colour's red, 0-255.
  /// @param g Its green.
  /// @param b Its blue.
  /// @return The image; Null when there is no picture, a cell size is not positive, first is
  /// negative, count is below 1, or the picture holds too few cells.
  /// @sa LoadImageStrip
  static Ref<TImage> LoadStripObject(const Url& source, int cellWidth, int cellHeight, int first,
                                     int count, ImageFlags flags, int r, int g, int b);

  /// @return The frame width in pixels.
  /// @sa ImageWidthOf
  int Width() const { return width_; }
  /// @return The frame height in pixels.
  /// @sa ImageHeightOf
  int Height() const { return height_; }
  /// @return The IMAGE_ flags.
  ImageFlags Flags() const { return flags_; }
  /// @return The number of frames.
  int FrameCount() const { return pixmaps_.Length(); }
  /// @return The red of the mask colour captured when the image was made, 0-255.
  /// @sa SetMaskRGB
  int MaskRed() const { return maskRed_; }
  /// @return The green of the mask colour captured when the image was made, 0-255.
  int MaskGreen() const { return maskGreen_; }
  /// @return The blue of the mask colour captured when the image was made, 0-255.
  int MaskBlue() const { return maskBlue_; }
  /// The handle is the point of the image, in its pixels, that lands on the drawing position.
  /// @return The handle's x.
  /// @sa SetHandle
  float HandleX() const { return handleX_; }
  /// @return The handle's y.
  /// @sa SetHandle
  float HandleY() const { return handleY_; }
  /// Sets the point of the image, in its pixels, that lands on the drawing position.
  /// @param x From the left edge.
  /// @param y From the top edge.
  /// @sa SetImageHandlePoint, CentreImageHandle
  void SetHandle(float x, float y) {
    handleX_ = x;
    handleY_ = y;
  }
  /// Unlike LockPixmap it never creates one.
  /// @param index The frame.
  /// @return The stored pixmap, Null when none was set.
  const Ref<TPixmap>& FramePixmap(int index) const { return pixmaps_[index]; }

 private:
  friend class TImageDataType;
  TImage(int width, int height, int frameCount, ImageFlags flags, int r, int g, int b);
  void DropFrame(int index);

  int width_;
  int height_;
  ImageFlags flags_;
  int maskRed_;
  int maskGreen_;
  int maskBlue_;
  float handleX_ = 0;
  float handleY_ = 0;
  Array<Ref<TPixmap>> pixmaps_;
  Array<Ref<TImageFrame>> frames_;
  /// The graphics sequence number each frame was made for; 0: to be made.
  Array<int> sequence_;
};

/// Images as data: width, height, flags, mask red, green, blue (I32), handle x, y (F32), frame
/// count (I32), then one object per frame: its pixmap, or Null for a frame never set.
class TImageDataType : public TDataType {
 public:
  String TypeName() const override { return u"kvt.plex2d.TImage"; }
  /// Throws TStreamReadException for a negative size or frame count, a frame count the stream
  /// cannot hold, or a frame object that is not a pixmap of the image size.
  /// @param stream The stream, at the image's data.
  /// @return The image.
  Ref<Object> ReadInstance(TStream& stream) override;
  void WriteInstance(const Ref<Object>& object, TStream& stream) override;

  /// @return The one image data type, made on first use (module start-up makes it).
  static const Ref<TImageDataType>& Instance();
};

// Module settings for images made from now on.

/// Sets the mask colour (black at first).
/// @param r Red, 0-255.
/// @param g Green, 0-255.
/// @param b Blue, 0-255.
/// @sa GetMaskRGB, IMAGE_MASK
void SetMaskRGB(int r, int g, int b);
/// SetMaskRGB with the colour as one value.
/// @param color The mask colour.
/// @sa MaskColor
inline void SetMaskRGB(const Color& color) {
  SetMaskRGB(color.r, color.g, color.b);
}
/// Reads back the mask colour.
/// @param[out] r Red, 0-255.
/// @param[out] g Green, 0-255.
/// @param[out] b Blue, 0-255.
/// @sa SetMaskRGB
void GetMaskRGB(int& r, int& g, int& b);
/// @return The mask colour, as one value.
/// @sa SetMaskRGB
[[nodiscard]] inline Color MaskColor() {
  Color color;
  GetMaskRGB(color.r, color.g, color.b);
  return color;
}
/// Sets whether handles start centred or at the top-left corner (at first).
/// @param flag true centres them, false puts them at the top-left corner.
/// @sa AutoMidHandle
void SetAutoMidHandle(bool flag);
/// @return true when handles start centred, false when at the top-left corner (at first).
/// @sa SetAutoMidHandle
[[nodiscard]] bool AutoMidHandle();
/// Sets the flags used when a function is given -1 (IMAGE_MASK | IMAGE_FILTERED at first).
/// @param flags IMAGE_ flags; -1 is ignored.
/// @sa DefaultImageFlags
void SetDefaultImageFlags(ImageFlags flags);
/// @return The flags used when a function is given -1 (IMAGE_MASK | IMAGE_FILTERED at first).
/// @sa SetDefaultImageFlags
ImageFlags DefaultImageFlags();

/// An image of one frame (TImage::LoadImageObject). The current mask colour is captured; with
/// automatic mid-handle on, the handle is centred.
/// @param source A TPixmap, or anything PixmapLoad reads.
/// @param flags IMAGE_ flags; -1 means the default image flags.
/// @return The image; Null when there is no picture.
/// @sa DrawImageAt, LoadImageStrip
Ref<TImage> LoadImageFromUrl(const Url& source, ImageFlags flags = -1);
/// An image of frames cut from a strip of cells (TImage::LoadStripObject). The current mask
/// colour is captured; with automatic mid-handle on, the handle is centred.
/// @param source A TPixmap, or anything PixmapLoad reads.
/// @param cellWidth The cell width in pixels.
/// @param cellHeight The cell height in pixels.
/// @param first The first cell taken.
/// @param count How many cells.
/// @param flags IMAGE_ flags; -1 means the default image flags.
/// @return The image; Null when there is no picture or the cells do not fit it.
/// @sa LoadImageFromUrl
Ref<TImage> LoadImageStrip(const Url& source, int cellWidth, int cellHeight, int first, int count,
                           ImageFlags flags = -1);
/// Adds IMAGE_DYNAMIC to the flags. The current mask colour is captured; with automatic
/// mid-handle on, the handle is centred.
/// @param width The frame width in pixels.
/// @param height The frame height in pixels.
/// @param frameCount The number of frames.
/// @param flags IMAGE_ flags; -1 means the default image flags.
/// @return The image.
/// @sa LockImageFrame, GrabImageFrame
Ref<TImage> CreateBlankImage(int width, int height, int frameCount = 1, ImageFlags flags = -1);

// Free-function forms of TImage's members. A Null image throws TNullObjectException.

/// TImage::SetHandle.
/// @param image The image.
/// @param x From the left edge.
/// @param y From the top edge.
/// @sa CentreImageHandle
void SetImageHandlePoint(const Ref<TImage>& image, float x, float y);
/// SetImageHandlePoint with the handle as one value.
/// @param image The image.
/// @param handle From the top-left corner.
inline void SetImageHandlePoint(const Ref<TImage>& image, const Point& handle) {
  SetImageHandlePoint(image, handle.x, handle.y);
}
/// Puts the handle at the image's centre.
/// @param image The image.
/// @sa SetImageHandlePoint
void CentreImageHandle(const Ref<TImage>& image);
/// @param image The image.
/// @return The frame width in pixels.
/// @sa ImageHeightOf
int ImageWidthOf(const Ref<TImage>& image);
/// @param image The image.
/// @return The frame height in pixels.
/// @sa ImageWidthOf
int ImageHeightOf(const Ref<TImage>& image);
/// TImage::LockPixmap.
/// @param image The image.
/// @param index The frame.
/// @param read true when the caller reads the pixels.
/// @param write true drops the drawable form, so the next draw shows the caller's changes.
/// @return The frame's pixmap, created blank when it has none.
/// @sa UnlockImageFrame
Ref<TPixmap> LockImageFrame(const Ref<TImage>& image, int index, bool read = true,
                            bool write = true);
/// Nothing left to do once the pixmap was changed.
/// @param image The image.
/// @param index The frame.
/// @sa LockImageFrame
void UnlockImageFrame(const Ref<TImage>& image, int index);

/// Starts the pixmap and graphics modules and makes the image data type.
void StartupImageModule();

}  // namespace corvax
