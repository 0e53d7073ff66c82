#pragma once
/// @file
/// @ingroup pixmap
/// Whole-image operations that make a new pixmap and leave the given one unchanged.
#include <corvax/pixmap/pixmap.h>

namespace corvax {

/// Pixels of colour (r, g, b) become fully transparent and take the average colour of their
/// non-mask neighbours (black when there is none), so filtered drawing shows no fringe of the mask
/// colour. Every other pixel keeps its colour with alpha 255.
/// @param p The pixmap.
/// @param r The mask colour's red, 0-255.
/// @param g Its green.
/// @param b Its blue.
/// @return An RGBA copy.
Ref<TPixmap> PixmapMaskColour(const Ref<TPixmap>& p, int r, int g, int b);

/// @param p The pixmap.
/// @return Its mirror image, left to right, in the same format.
/// @sa PixmapFlipVertical
Ref<TPixmap> PixmapFlipHorizontal(const Ref<TPixmap>& p);
/// @param p The pixmap.
/// @return Its mirror image, top to bottom, in the same format.
Ref<TPixmap> PixmapFlipVertical(const Ref<TPixmap>& p);

/// Bilinear resampling in single precision with pixel centres at half-integers. Resizing an empty
/// pixmap gives zero-filled pixels.
/// @param p The pixmap.
/// @param w The new width.
/// @param h The new height.
/// @return A pixmap in the format of p.
Ref<TPixmap> PixmapResize(const Ref<TPixmap>& p, int w, int h);

}  // namespace corvax
