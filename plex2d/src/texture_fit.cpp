#include "texture_fit.h"

#include <algorithm>

#include <corvax/pixmap/pixmap_transforms.h>

namespace corvax::detail {

int NextPowerOfTwo(int n) {
  int p = 1;
  while (p < n && p <= (1 << 29)) p <<= 1;
  return p;
}

void FitTextureSize(int width, int height, const std::function<bool(int, int)>& accepts,
                    int& textureWidth, int& textureHeight) {
  int w = NextPowerOfTwo(width);
  int h = NextPowerOfTwo(height);
  while (!accepts(w, h)) {
    if (w == 1 && h == 1) ThrowRuntimeError(u"Unable to calculate tex size");
    // The longer side is the one past a size limit; halving the shorter too would only lose
    // picture.
    const bool halveWidth = w >= h;
    const bool halveHeight = h >= w;
    if (halveWidth) w /= 2;
    if (halveHeight) h /= 2;
  }
  textureWidth = w;
  textureHeight = h;
}

Ref<TPixmap> TextureImage(const Ref<TPixmap>& picture, int textureWidth, int textureHeight,
                          int& pictureWidth, int& pictureHeight) {
  const int w = std::min(picture->Width(), textureWidth);
  const int h = std::min(picture->Height(), textureHeight);
  Ref<TPixmap> fitted = picture;
  if (w != picture->Width() || h != picture->Height()) fitted = PixmapResize(picture, w, h);
  pictureWidth = w;
  pictureHeight = h;
  if (w == textureWidth && h == textureHeight) {
    return fitted->Format() == FORMAT_RGBA8888 ? fitted : fitted->ConvertTo(FORMAT_RGBA8888);
  }
  Ref<TPixmap> texture = PixmapCreate(textureWidth, textureHeight, FORMAT_RGBA8888);
  texture->PasteFrom(fitted, 0, 0);
  if (w < textureWidth) texture->PasteFrom(fitted->SubWindow(w - 1, 0, 1, h), w, 0);
  if (h < textureHeight) texture->PasteFrom(fitted->SubWindow(0, h - 1, w, 1), 0, h);
  if (w < textureWidth && h < textureHeight) {
    texture->PasteFrom(fitted->SubWindow(w - 1, h - 1, 1, 1), w, h);
  }
  return texture;
}

}  // namespace corvax::detail
