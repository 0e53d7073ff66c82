#pragma once
// Scan conversion of quads row by row, sampling their pictures' alpha, to find a pixel where
// two of them are opaque.
#include <corvax/plex2d/collision.h>

namespace corvax::detail {

// Row test on the two quads' spans, as pixel rows of the screen. True when some pixel lies in
// both and is opaque in both.
bool ScanQuadsForSharedPixel(const TQuad& a, const TQuad& b);

}  // namespace corvax::detail
