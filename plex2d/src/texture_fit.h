#pragma once
// Fitting pictures into power-of-two textures the GL implementation accepts.
#include <functional>

#include <corvax/pixmap/pixmap.h>
#include <corvax/plex2d/backend/shape_support.h>

namespace corvax::detail {

// Rounds each size up to a power of two, then halves the longer side (both when they are equal)
// until accepts(w, h) agrees. Throws the runtime error "Unable to calculate tex size" when not even
// 1 x 1 is.
void FitTextureSize(int width, int height, const std::function<bool(int, int)>& accepts,
                    int& textureWidth, int& textureHeight);

// The RGBA 8888 texture image for a picture: the picture scaled down when it is larger than
// the texture, at (0, 0), with its last column and row repeated once into the padding so that
// filtering at its border reads the picture's own edge. pictureWidth and pictureHeight tell
// how much of the texture the picture covers. picture must not be empty.
Ref<TPixmap> TextureImage(const Ref<TPixmap>& picture, int textureWidth, int textureHeight,
                          int& pictureWidth, int& pictureHeight);

}  // namespace corvax::detail
