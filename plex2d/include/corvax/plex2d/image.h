#pragma once
/// @file
/// @ingroup plex2d
/// Drawable pictures of one or more equal-size frames. Each frame keeps its pixmap in main memory;
/// the current 2D driver's drawable form of it is made on first draw and remade whenever the
/// graphics have been replaced since.
/// Call first: LoadImageFromUrl; drawing it (DrawImageAt, draw.h) needs OpenGraphics. Example:
/// examples/images.cpp.
#include <corvax/pixmap/pixmap.h>
#include <corvax/plex2d/image_frame.h>
#include <corvax/runtime/array.h>
#include <corvax/stream/data_type.h>
#include <corvax/stream/url.h>

namespace corvax {

/// Image flags; they combine with |.
/// Pixels of the image's mask colour become transparent, unless the pixmap has alpha already.
inline constexpr int IMAGE_MASK = 1;
/// Linear filtering when drawn scaled.
inline constexpr int IMAGE_FILTERED = 2;
/// The driver builds mipmap levels.
inline constexpr int IMAGE_MIPMAPPED = 4;
/// Changed often; added by CreateBlankImage.
inline constexpr int IMAGE_DYNAMIC = 8;

/// A picture of one or more frames of the same size, drawn by the 2D renderer; serialisable.
/// Each frame keeps its pixmap and the driver's drawable form of it.
class TImage : public TData {
 public:
  Ref<TDataType> GetDataType() const override;

  /// The current 2D driver's form of the frame, made when missing or made for earlier graphics;
  /// Null when the driver cannot make it (the next call tries again).
  virtual Ref<TImageFrame> FrameFor(int index);
  /// The frame's pixmap, created blank (RGBA, transparent black) when it has none. With write
  /// non-zero the drawable form is dropped, so the next draw shows the caller's changes.
  virtual Ref<TPixmap> LockPixmap(int index, int read, int write);
  /// Masks the pixmap first when the image has IMAGE_MASK and the pixmap has no alpha.
  virtual void SetFramePixmap(int index, const Ref<TPixmap>& pixmap);

  /// Throws a runtime error for a negative size or frame count.
  static Ref<TImage> CreateImageObject(int width, int height, int frameCount, int flags, int r,
                                       int g, int b);
  /// source is a TPixmap, or anything PixmapLoad reads; Null when there is no picture.
  static Ref<TImage> LoadImageObject(const Url& source, int flags, int r, int g, int b);
  /// Cells of cellWidth x cellHeight, numbered left to right and top to bottom; cells first to
  /// first + count - 1 become frames 0 to count - 1. Null when there is no picture, a cell size
  /// is not positive, first is negative, count is below 1, or the picture holds too few cells.
  static Ref<TImage> LoadStripObject(const Url& source, int cellWidth, int cellHeight, int first,
                                     int count, int flags, int r, int g, int b);

  /// The frame size in pixels.
  ///@{
  int Width() const { return width_; }
  int Height() const { return height_; }
  ///@}
  /// The IMAGE_ flags.
  int Flags() const { return flags_; }
  /// The number of frames.
  int FrameCount() const { return pixmaps_.Length(); }
  /// The mask colour captured when the image was made, components 0-255.
  ///@{
  int MaskRed() const { return maskRed_; }
  int MaskGreen() const { return maskGreen_; }
  int MaskBlue() const { return maskBlue_; }
  ///@}
  /// The handle: the point of the image, in its pixels, that lands on the drawing position.
  ///@{
  float HandleX() const { return handleX_; }
  float HandleY() const { return handleY_; }
  void SetHandle(float x, float y) {
    handleX_ = x;
    handleY_ = y;
  }
  ///@}
  /// The stored pixmap, Null when none was set; unlike LockPixmap it never creates one.
  const Ref<TPixmap>& FramePixmap(int index) const { return pixmaps_[index]; }

 private:
  friend class TImageDataType;
  TImage(int width, int height, int frameCount, int flags, int r, int g, int b);
  void DropFrame(int index);

  int width_;
  int height_;
  int flags_;
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
  Ref<Object> ReadInstance(TStream& stream) override;
  void WriteInstance(const Ref<Object>& object, TStream& stream) override;

  /// The one image data type, made on first use (module start-up makes it).
  static const Ref<TImageDataType>& Instance();
};

/// Module settings for images made from now on: the mask colour (components 0-255, black at
/// first), whether handles start centred (non-zero) or at the top-left corner (0, at first),
/// and the flags used when a function is given -1 (IMAGE_MASK | IMAGE_FILTERED at first).
///@{
void SetMaskRGB(int r, int g, int b);
void GetMaskRGB(int& r, int& g, int& b);
void SetAutoMidHandle(int flag);
int AutoMidHandle();
///@}
/// -1 is ignored.
///@{
void SetDefaultImageFlags(int flags);
int DefaultImageFlags();
///@}

/// flags -1 means the default image flags. The current mask colour is captured; with automatic
/// mid-handle on, the handle is centred.
///@{
Ref<TImage> LoadImageFromUrl(const Url& source, int flags = -1);
Ref<TImage> LoadImageStrip(const Url& source, int cellWidth, int cellHeight, int first, int count,
                           int flags = -1);
///@}
/// Adds IMAGE_DYNAMIC to the flags.
Ref<TImage> CreateBlankImage(int width, int height, int frameCount = 1, int flags = -1);

/// Free-function forms: SetImageHandlePoint (SetHandle), CentreImageHandle (the handle at the
/// image's centre), ImageWidthOf, ImageHeightOf, LockImageFrame (LockPixmap) and
/// UnlockImageFrame (nothing left to do once the pixmap was changed). A Null image throws
/// TNullObjectException.
///@{
void SetImageHandlePoint(const Ref<TImage>& image, float x, float y);
void CentreImageHandle(const Ref<TImage>& image);
int ImageWidthOf(const Ref<TImage>& image);
int ImageHeightOf(const Ref<TImage>& image);
Ref<TPixmap> LockImageFrame(const Ref<TImage>& image, int index, int read = 1, int write = 1);
void UnlockImageFrame(const Ref<TImage>& image, int index);
///@}

/// Starts the pixmap and graphics modules and makes the image data type.
void StartupImageModule();

}  // namespace corvax
