#include "dx7_support.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <corvax/plex2d/backend/shape_support.h>
#include <corvax/plex2d/blend.h>

namespace corvax::dx7 {
namespace {

struct NamedCode {
  std::uint32_t code;
  const char* name;
};

constexpr NamedCode kNamedCodes[] = {
    {0, "OK"},
    {0x887600E1, "NOEXCLUSIVEMODE"},
    {0x887601C2, "SURFACELOST"},
    {0x88760245, "EXCLUSIVEMODEALREADYSET"},
    {0x8876024B, "WRONGMODE"},
    {0x8876024E, "UNSUPPORTEDMODE"},
};

// Direct3D 7 blend factors.
constexpr int kBlendZero = 1;
constexpr int kBlendOne = 2;
constexpr int kBlendSourceColour = 3;
constexpr int kBlendSourceAlpha = 5;
constexpr int kBlendInverseSourceAlpha = 6;

// The generation is an int that wraps, skipping 0, which stands for "never made".
int& Generation() {
  static int generation = 0;
  return generation;
}

}  // namespace

std::string DXErrorName(std::uint32_t code) {
  for (const NamedCode& named : kNamedCodes) {
    if (named.code == code) return named.name;
  }
  char text[32];
  std::snprintf(text, sizeof text, "UNKNOWN:%08X %u", static_cast<unsigned>(code),
                static_cast<unsigned>(code & 0xFFFF));
  return text;
}

int SurfaceGeneration() {
  return Generation();
}

int NextSurfaceGeneration(int generation) {
  // Unsigned arithmetic: the step past the largest int wraps instead of overflowing.
  const int next = static_cast<int>(static_cast<unsigned>(generation) + 1u);
  return next == 0 ? 1 : next;
}

int AdvanceSurfaceGeneration() {
  int& generation = Generation();
  generation = NextSurfaceGeneration(generation);
  return generation;
}

std::uint32_t AveragePixels(std::uint32_t a, std::uint32_t b) {
  const std::uint32_t s = ((a >> 1) & 0x7F7F7F7Fu) + ((b >> 1) & 0x7F7F7F7Fu);
  return s + ((s >> 3) & 0x01010101u);
}

void PadEdges(const PixelPlane& texture, int pictureWidth, int pictureHeight, bool everywhere) {
  if (pictureWidth < 1 || pictureHeight < 1) return;
  const int w = std::min(pictureWidth, texture.width);
  const int h = std::min(pictureHeight, texture.height);
  const int lastColumn = everywhere ? texture.width : std::min(w + 1, texture.width);
  const int lastRow = everywhere ? texture.height : std::min(h + 1, texture.height);
  for (int y = 0; y < h; ++y) {
    const std::uint32_t edge = texture.At(w - 1, y);
    for (int x = w; x < lastColumn; ++x) texture.At(x, y) = edge;
  }
  for (int y = h; y < lastRow; ++y) {
    for (int x = 0; x < lastColumn; ++x) texture.At(x, y) = texture.At(x, h - 1);
  }
}

void HalveLevel(const PixelPlane& upper, const PixelPlane& lower) {
  if (upper.width < 1 || upper.height < 1) return;
  for (int y = 0; y < lower.height; ++y) {
    const int y0 = std::min(2 * y, upper.height - 1);
    const int y1 = std::min(2 * y + 1, upper.height - 1);
    for (int x = 0; x < lower.width; ++x) {
      const int x0 = std::min(2 * x, upper.width - 1);
      const int x1 = std::min(2 * x + 1, upper.width - 1);
      lower.At(x, y) = AveragePixels(AveragePixels(upper.At(x0, y0), upper.At(x1, y0)),
                                     AveragePixels(upper.At(x0, y1), upper.At(x1, y1)));
    }
  }
}

BlendRenderStates BlendStatesFor(int mode) {
  switch (mode) {
    case BLEND_MASK:
      return {true, false, 0, 0};
    case BLEND_ALPHA:
      return {false, true, kBlendSourceAlpha, kBlendInverseSourceAlpha};
    case BLEND_ADDITIVE:
      return {false, true, kBlendSourceAlpha, kBlendOne};
    case BLEND_MULTIPLY:
      return {false, true, kBlendZero, kBlendSourceColour};
    default:
      return {};
  }
}

PixelProjection ProjectionFor(int width, int height) {
  const float w = static_cast<float>(std::max(width, 1));
  const float h = static_cast<float>(std::max(height, 1));
  return {2.0f / w, -2.0f / h, -1.0f - 1.0f / w, 1.0f + 1.0f / h};
}

std::array<ClipPlane, 4> ViewportClipPlanes(int x, int y, int width, int height) {
  const float left = static_cast<float>(x);
  const float top = static_cast<float>(y);
  const float right = static_cast<float>(x) + static_cast<float>(width);
  const float bottom = static_cast<float>(y) + static_cast<float>(height);
  return {{{1, 0, 0, -left}, {-1, 0, 0, right}, {0, 1, 0, -top}, {0, -1, 0, bottom}}};
}

bool CoversTarget(int x, int y, int width, int height, int targetWidth, int targetHeight) {
  return x == 0 && y == 0 && width == targetWidth && height == targetHeight;
}

std::array<float, 8> WideLineStrip(float x0, float y0, float x1, float y1, float width) {
  const float half = width * 0.5f;
  if (std::fabs(x1 - x0) < std::fabs(y1 - y0)) {
    // More vertical than horizontal: widen along x.
    return {x0 - half, y0, x0 + half, y0, x1 - half, y1, x1 + half, y1};
  }
  return {x0, y0 - half, x0, y0 + half, x1, y1 - half, x1, y1 + half};
}

TextureFit FitPictureToTexture(int width, int height) {
  TextureFit fit;
  fit.textureWidth = detail::NextPowerOfTwo(width);
  fit.textureHeight = detail::NextPowerOfTwo(height);
  fit.u = static_cast<float>(std::max(width, 0)) / static_cast<float>(fit.textureWidth);
  fit.v = static_cast<float>(std::max(height, 0)) / static_cast<float>(fit.textureHeight);
  return fit;
}

}  // namespace corvax::dx7
