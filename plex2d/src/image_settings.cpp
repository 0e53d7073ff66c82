#include <corvax/plex2d/image.h>

namespace corvax {
namespace {

struct ImageSettings {
  int maskRed = 0;
  int maskGreen = 0;
  int maskBlue = 0;
  int autoMidHandle = 0;
  int defaultFlags = IMAGE_MASK | IMAGE_FILTERED;
};

ImageSettings settings;

int ChosenFlags(int flags) {
  return flags == -1 ? settings.defaultFlags : flags;
}

Ref<TImage> WithAutoHandle(Ref<TImage> image) {
  if (image && settings.autoMidHandle) CentreImageHandle(image);
  return image;
}

}  // namespace

void SetMaskRGB(int r, int g, int b) {
  settings.maskRed = r;
  settings.maskGreen = g;
  settings.maskBlue = b;
}

void GetMaskRGB(int& r, int& g, int& b) {
  r = settings.maskRed;
  g = settings.maskGreen;
  b = settings.maskBlue;
}

void SetAutoMidHandle(bool flag) {
  settings.autoMidHandle = flag;
}
bool AutoMidHandle() {
  return settings.autoMidHandle;
}

void SetDefaultImageFlags(int flags) {
  if (flags != -1) settings.defaultFlags = flags;
}
int DefaultImageFlags() {
  return settings.defaultFlags;
}

Ref<TImage> LoadImageFromUrl(const Url& source, int flags) {
  return WithAutoHandle(TImage::LoadImageObject(source, ChosenFlags(flags), settings.maskRed,
                                                settings.maskGreen, settings.maskBlue));
}

Ref<TImage> LoadImageStrip(const Url& source, int cellWidth, int cellHeight, int first, int count,
                           int flags) {
  return WithAutoHandle(TImage::LoadStripObject(source, cellWidth, cellHeight, first, count,
                                                ChosenFlags(flags), settings.maskRed,
                                                settings.maskGreen, settings.maskBlue));
}

Ref<TImage> CreateBlankImage(int width, int height, int frameCount, int flags) {
  return WithAutoHandle(
      TImage::CreateImageObject(width, height, frameCount, ChosenFlags(flags) | IMAGE_DYNAMIC,
                                settings.maskRed, settings.maskGreen, settings.maskBlue));
}

void SetImageHandlePoint(const Ref<TImage>& image, float x, float y) {
  image->SetHandle(x, y);
}

void CentreImageHandle(const Ref<TImage>& image) {
  image->SetHandle(image->Width() * 0.5f, image->Height() * 0.5f);
}

int ImageWidthOf(const Ref<TImage>& image) {
  return image->Width();
}
int ImageHeightOf(const Ref<TImage>& image) {
  return image->Height();
}

Ref<TPixmap> LockImageFrame(const Ref<TImage>& image, int index, bool read, bool write) {
  return image->LockPixmap(index, read, write);
}

void UnlockImageFrame(const Ref<TImage>&, int) {}

}  // namespace corvax
