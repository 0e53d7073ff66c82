#pragma once
/// @file
/// @ingroup graphics
/// One display mode: size, colour depth and refresh rate.
#include <corvax/runtime/runtime_module.h>

namespace corvax {

/// A display mode.
class TGraphicsMode : public Object {
 public:
  TGraphicsMode() = default;
  /// The mode of these settings.
  /// @param width In pixels.
  /// @param height In pixels.
  /// @param depth Bits per pixel.
  /// @param hertz Refresh rate in Hz.
  TGraphicsMode(int width, int height, int depth, int hertz)
      : width(width), height(height), depth(depth), hertz(hertz) {}

  /// @return "640,480,16 72Hz".
  String ToString() const override;

  int width = 0;   ///< pixels
  int height = 0;  ///< pixels
  int depth = 0;   ///< bits per pixel
  int hertz = 0;   ///< refresh rate in Hz
};

}  // namespace corvax
