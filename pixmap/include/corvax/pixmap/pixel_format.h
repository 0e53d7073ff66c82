#pragma once
/// @file
/// @ingroup pixmap
/// Pixel format ids and the per-format tables, indexed by format id (entry 0: no format).
#include <array>
#include <cstdint>

namespace corvax {

/// Pixmaps are made in formats 1-6; 7-12 exist only as row-conversion targets and sources.
/// Names give the channels in byte order, 8 bits each.
///@{
constexpr int FORMAT_GREY8 = 1;
constexpr int FORMAT_ALPHA8 = 2;  ///< colour is white
constexpr int FORMAT_BGR888 = 3;
constexpr int FORMAT_RGB888 = 4;
constexpr int FORMAT_BGRA8888 = 5;
constexpr int FORMAT_RGBA8888 = 6;  ///< the conversion pivot
constexpr int FORMAT_RED8 = 7;
constexpr int FORMAT_GREEN8 = 8;
constexpr int FORMAT_BLUE8 = 9;
constexpr int FORMAT_CHANNEL_ALPHA8 = 10;  ///< colour is black
constexpr int FORMAT_INTENSITY8 = 11;
constexpr int FORMAT_LUMINANCE8 = 12;
///@}

/// One past the highest format id: the length of the tables below.
constexpr int PIXEL_FORMAT_COUNT = 13;
/// A value per format id.
using PixelFormatTable = std::array<int, PIXEL_FORMAT_COUNT>;

/// Bytes per pixel, and the bits of each channel kind, per format id.
///@{
inline constexpr PixelFormatTable BytesPerPixel = {0, 1, 1, 3, 3, 4, 4, 1, 1, 1, 1, 1, 1};
inline constexpr PixelFormatTable RedBitsPerPixel = {0, 0, 0, 8, 8, 8, 8, 8, 0, 0, 0, 0, 0};
inline constexpr PixelFormatTable GreenBitsPerPixel = {0, 0, 0, 8, 8, 8, 8, 0, 8, 0, 0, 0, 0};
inline constexpr PixelFormatTable BlueBitsPerPixel = {0, 0, 0, 8, 8, 8, 8, 0, 0, 8, 0, 0, 0};
inline constexpr PixelFormatTable AlphaBitsPerPixel = {0, 0, 8, 0, 0, 8, 8, 0, 0, 0, 8, 0, 0};
inline constexpr PixelFormatTable IntensityBitsPerPixel = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0};
inline constexpr PixelFormatTable LuminanceBitsPerPixel = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8};
///@}
/// The single-channel formats count 4 bits here, not 8; published as users have always seen it.
inline constexpr PixelFormatTable BitsPerPixel = {0, 8, 8, 24, 24, 32, 32, 4, 4, 4, 4, 4, 4};
/// Bits of red, green and blue together.
inline constexpr PixelFormatTable ColourBitsPerPixel = {0, 0, 0, 24, 24, 24, 24, 8, 8, 8, 0, 0, 0};

/// @param format Any integer.
/// @return True for the format ids 1-12.
constexpr bool IsPixelFormat(int format) {
  return format >= 1 && format < PIXEL_FORMAT_COUNT;
}

/// A packed colour: alpha in bits 24-31, red 16-23, green 8-15, blue 0-7.
using ARGB = std::uint32_t;

}  // namespace corvax
