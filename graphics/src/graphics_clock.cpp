#include "graphics_clock.h"

namespace corvax {

std::uint32_t GraphicsMilliseconds() {
  return MillisecondsOf(MonotonicNanoseconds());
}

void SleepMillisecondsFrom(std::int64_t now, int milliseconds) {
  if (milliseconds <= 0) return;
  const std::int64_t startOfMillisecond = now - now % kNanosecondsPerMillisecond;
  SleepUntilNanoseconds(startOfMillisecond + milliseconds * kNanosecondsPerMillisecond);
}

}  // namespace corvax
