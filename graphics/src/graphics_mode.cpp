#include <corvax/graphics/graphics_mode.h>

#include <string>

namespace corvax {

String TGraphicsMode::ToString() const {
  const std::string text = std::to_string(width) + "," + std::to_string(height) + "," +
                           std::to_string(depth) + " " + std::to_string(hertz) + "Hz";
  return From8Bit(text);
}

}  // namespace corvax
