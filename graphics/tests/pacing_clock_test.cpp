// The pacing clock, built once over each platform file: sleeps end on their deadline, never
// before it, and the millisecond count is the same clock's.
#include <gtest/gtest.h>

#include "graphics_clock.h"

#ifndef PACING_CLOCK_SUITE
#define PACING_CLOCK_SUITE PacingClock
#endif

namespace corvax {
namespace {

constexpr std::int64_t kMs = kNanosecondsPerMillisecond;

TEST(PACING_CLOCK_SUITE, SleepsReturnNoEarlierThanTheirDeadline) {
  const std::int64_t start = MonotonicNanoseconds();
  SleepUntilNanoseconds(start + 2 * kMs + kMs / 3);
  EXPECT_GE(MonotonicNanoseconds(), start + 2 * kMs + kMs / 3);
  // A deadline already past returns at once instead of sleeping or failing.
  SleepUntilNanoseconds(start);
  SleepUntilNanoseconds(0);
}

TEST(PACING_CLOCK_SUITE, MillisecondSleepsEndOnTheMillisecondClocksBoundary) {
  for (int delay : {1, 3}) {
    const std::int64_t now = MonotonicNanoseconds();
    SleepMillisecondsFrom(now, delay);
    const std::int64_t woke = MonotonicNanoseconds();
    EXPECT_GE(woke, now - now % kMs + delay * kMs) << "not before the boundary";
    EXPECT_GE(static_cast<std::int32_t>(MillisecondsOf(woke) - MillisecondsOf(now)), delay);
  }
  const std::int64_t before = MonotonicNanoseconds();
  SleepMillisecondsFrom(before, 0);
  SleepMillisecondsFrom(before, -5);
  EXPECT_LT(MonotonicNanoseconds() - before, 1000 * kMs) << "no sleep for nothing due";
}

TEST(PACING_CLOCK_SUITE, MillisecondsComeFromTheSameClock) {
  const std::uint32_t before = MillisecondsOf(MonotonicNanoseconds());
  const std::uint32_t reading = GraphicsMilliseconds();
  const std::uint32_t after = MillisecondsOf(MonotonicNanoseconds());
  EXPECT_LE(static_cast<std::int32_t>(reading - before), static_cast<std::int32_t>(after - before));
  EXPECT_GE(static_cast<std::int32_t>(reading - before), 0);
  EXPECT_EQ(MillisecondsOf(5 * kMs + kMs - 1), 5u);
  EXPECT_EQ(MillisecondsOf((std::int64_t{1} << 32) * kMs + 7 * kMs), 7u) << "wraps at 2^32";
}

}  // namespace
}  // namespace corvax
