#include <corvax/plex2d/transform.h>

#include <cmath>
#include <numbers>

namespace corvax {

Transform2D RotationScaleTransform(float degrees, float scaleX, float scaleY) {
  const double radians = static_cast<double>(degrees) * std::numbers::pi / 180.0;
  const float s = static_cast<float>(std::sin(radians));
  const float c = static_cast<float>(std::cos(radians));
  return {c * scaleX, -s * scaleY, s * scaleX, c * scaleY};
}

}  // namespace corvax
