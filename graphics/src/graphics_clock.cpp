#include "graphics_clock.h"

#include <corvax/system/backend/run_gate.h>

namespace corvax {

std::int64_t RunNanoseconds(std::int64_t live) {
  return ReadRunClock(RunClockId::Monotonic, live);
}

std::uint32_t GraphicsMilliseconds() {
  return MillisecondsOf(RunNanoseconds(MonotonicNanoseconds()));
}

void SleepMillisecondsFrom(std::int64_t now, int milliseconds) {
  if (milliseconds <= 0) return;
  const std::int64_t startOfMillisecond = now - now % kNanosecondsPerMillisecond;
  SleepUntilNanoseconds(startOfMillisecond + milliseconds * kNanosecondsPerMillisecond);
}

}  // namespace corvax
