#pragma once
/// @file
/// @ingroup pixmap
/// Row functions for loaders and drivers: copy, and convert through the RGBA pivot.
namespace corvax {

/// Copies count pixels of the given format (count * bytes per pixel bytes).
/// @param src The source pixels.
/// @param dst The destination.
/// @param format The pixel format of both.
/// @param count The number of pixels.
/// @sa ConvertPixelRow
void CopyPixelRow(const void* src, void* dst, int format, int count);

/// Converts count pixels. Equal formats are copied; otherwise the source is expanded to RGBA and
/// the RGBA pixels are reduced into the destination format. A format outside 1-12 writes nothing.
/// @param src The source pixels.
/// @param srcFormat Their format.
/// @param dst The destination.
/// @param dstFormat Its format.
/// @param count The number of pixels.
void ConvertPixelRow(const void* src, int srcFormat, void* dst, int dstFormat, int count);

}  // namespace corvax
