#pragma once
// What the PNG loader and saver share about driving libpng.
#include <png.h>

namespace corvax::png_support {

// Errors leave through the jump buffer set before each libpng call; neither errors nor
// warnings print anything, as the framework writes no log.
[[noreturn]] inline void OnError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}
inline void OnWarning(png_structp, png_const_charp) {}

}  // namespace corvax::png_support
