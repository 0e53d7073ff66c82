#pragma once
/// @file
/// @ingroup pixmap
/// Whole-image operations that make a new pixmap and leave the given one unchanged.
#include <corvax/pixmap/pixmap.h>

namespace corvax {

/// An RGBA copy in which pixels of colour (r, g, b) are fully transparent and take the average
/// colour of their non-mask neighbours (black when there is none), so filtered drawing shows no
/// fringe of the mask colour. Every other pixel keeps its colour with alpha 255.
Ref<TPixmap> PixmapMaskColour(const Ref<TPixmap>& p, int r, int g, int b);

/// Mirror images in the same format.
///@{
Ref<TPixmap> PixmapFlipHorizontal(const Ref<TPixmap>& p);
Ref<TPixmap> PixmapFlipVertical(const Ref<TPixmap>& p);
///@}

/// Bilinear resampling in single precision with pixel centres at half-integers; the result keeps
/// the format of p. Resizing an empty pixmap gives zero-filled pixels.
Ref<TPixmap> PixmapResize(const Ref<TPixmap>& p, int w, int h);

}  // namespace corvax
