#pragma once
// The clock frame pacing runs on. The millisecond count and the sleep come from one monotonic
// clock, so a frame woken at a millisecond deadline wakes on that millisecond's first
// nanosecond, not up to a millisecond later.
#include <cstdint>

namespace corvax {

inline constexpr std::int64_t kNanosecondsPerMillisecond = 1'000'000;

// Nanoseconds on the monotonic clock (platform file).
std::int64_t MonotonicNanoseconds();
// Returns once the monotonic clock has reached deadline; at once for a past deadline
// (platform file).
void SleepUntilNanoseconds(std::int64_t deadline);

// Milliseconds of a monotonic reading, truncated. They wrap; take differences as signed 32-bit.
inline std::uint32_t MillisecondsOf(std::int64_t nanoseconds) {
  return static_cast<std::uint32_t>(nanoseconds / kNanosecondsPerMillisecond);
}
// The reading a recorded or replayed run sees for the live reading (run_gate.h).
std::int64_t RunNanoseconds(std::int64_t live);
// Milliseconds of the run's monotonic reading.
std::uint32_t GraphicsMilliseconds();
// Sleeps from the reading `now` until `milliseconds` whole milliseconds after its millisecond
// began, the moment the millisecond clock reads that many more.
void SleepMillisecondsFrom(std::int64_t now, int milliseconds);

}  // namespace corvax
