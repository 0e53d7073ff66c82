#pragma once
// The DirectX 7 drivers' arithmetic that needs no DirectX: result-code names, the surface
// generation, mip-map averaging, texture padding and the geometry handed to Direct3D. Built on
// every platform, so its tests run everywhere.
#include <array>
#include <cstdint>
#include <string>

namespace corvax::dx7 {

// DirectDraw's name for a result code: "OK", "SURFACELOST", ... or "UNKNOWN:" with the code
// as eight upper-case hexadecimal digits, a blank and its low 16 bits in decimal.
std::string DXErrorName(std::uint32_t code);

// Changes at every DirectDraw start and shut-down; never 0 after the first change. A surface
// made at another generation belongs to a DirectDraw object that is gone.
int SurfaceGeneration();
int AdvanceSurfaceGeneration();
// The generation after this one: counting up, wrapping past the largest int, skipping 0.
int NextSurfaceGeneration(int generation);

// Display modes of 15 bits per pixel or fewer are not offered.
inline bool ListsDisplayMode(int bitsPerPixel) {
  return bitsPerPixel > 15;
}

// The mean of two packed 32-bit pixels, byte by byte, rounding so that two equal bytes stay
// equal.
std::uint32_t AveragePixels(std::uint32_t a, std::uint32_t b);

// A 32-bit pixel surface: rows of pitch bytes.
struct PixelPlane {
  std::uint8_t* pixels = nullptr;
  int pitch = 0;
  int width = 0;
  int height = 0;
  std::uint32_t& At(int x, int y) const {
    return reinterpret_cast<std::uint32_t*>(pixels + static_cast<std::ptrdiff_t>(y) * pitch)[x];
  }
};

// Copies the picture's last column into the padding to its right and its last row into the
// padding below, so that filtering at the picture's edge reads the picture. Only the first
// padding column and row, unless everyWhere (mip-mapped textures, whose smaller levels average
// the padding in).
void PadEdges(const PixelPlane& texture, int pictureWidth, int pictureHeight, bool everywhere);

// Fills the next mip level from the level above it: each pixel is the average of the 2 x 2
// block above it. Where the upper level is one pixel wide or high, its edge is used twice.
void HalveLevel(const PixelPlane& upper, const PixelPlane& lower);

// The Direct3D render states a blend mode needs.
struct BlendRenderStates {
  bool alphaTest = false;
  bool alphaBlend = false;
  // The blend factors, set only when alphaBlend.
  int sourceBlend = 0;
  int destinationBlend = 0;
};
// Unknown modes blend as solid.
BlendRenderStates BlendStatesFor(int mode);

// The projection mapping pixel coordinates of a width x height target onto Direct3D's clip
// space, half a pixel shifted so that pixel centres match the other back ends.
struct PixelProjection {
  float scaleX = 1;
  float scaleY = 1;
  float offsetX = 0;
  float offsetY = 0;
};
PixelProjection ProjectionFor(int width, int height);

// The four user clip planes (a, b, c, d: a*x + b*y + c*z + d >= 0 is kept) for the left, right,
// top and bottom edges of a viewport.
using ClipPlane = std::array<float, 4>;
std::array<ClipPlane, 4> ViewportClipPlanes(int x, int y, int width, int height);

// Whether a viewport covers the whole target, so that no clipping is needed.
bool CoversTarget(int x, int y, int width, int height, int targetWidth, int targetHeight);

// The four corners (x, y pairs, in triangle-strip order) of a line drawn width pixels wide
// between two screen points: the width lies across the line's shorter extent.
std::array<float, 8> WideLineStrip(float x0, float y0, float x1, float y1, float width);

// Texture coordinates where a picture ends inside its power-of-two texture.
struct TextureFit {
  int textureWidth = 1;
  int textureHeight = 1;
  float u = 1;
  float v = 1;
};
TextureFit FitPictureToTexture(int width, int height);

}  // namespace corvax::dx7
