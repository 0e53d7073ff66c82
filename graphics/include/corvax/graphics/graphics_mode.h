#pragma once
// One display mode: size, colour depth and refresh rate.
#include <corvax/runtime/runtime_module.h>

namespace corvax {

class TGraphicsMode : public Object {
 public:
  TGraphicsMode() = default;
  TGraphicsMode(int width, int height, int depth, int hertz)
      : width(width), height(height), depth(depth), hertz(hertz) {}

  // "640,480,16 72Hz".
  String ToString() const override;

  int width = 0;
  int height = 0;
  int depth = 0;  // bits per pixel
  int hertz = 0;
};

}  // namespace corvax
