#include <corvax/app/pointer_motion.h>

#include <cmath>

namespace corvax {

int NextPointerCoordinate(int mouseOffset, int position, int span) {
  constexpr float kFactor = 0.9f;
  const long double sum = static_cast<long double>(mouseOffset) * kFactor +
                          static_cast<long double>(static_cast<float>(position + span));
  const float rounded = static_cast<float>(sum);
  return static_cast<int>(std::fmod(static_cast<double>(rounded), static_cast<double>(span)));
}

std::vector<PointerPosition> PointerCopies(PointerPosition position, int imageWidth,
                                           int imageHeight, int screenWidth, int screenHeight) {
  const bool right = position.x > screenWidth - imageWidth;
  const bool bottom = position.y > screenHeight - imageHeight;
  std::vector<PointerPosition> copies{position};
  if (right) copies.push_back({position.x - screenWidth, position.y});
  if (bottom) copies.push_back({position.x, position.y - screenHeight});
  if (right && bottom) copies.push_back({position.x - screenWidth, position.y - screenHeight});
  return copies;
}

}  // namespace corvax
