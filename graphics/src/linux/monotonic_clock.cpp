// The monotonic clock on Linux: the sleep takes an absolute deadline on the same clock, so
// it neither drifts by the time spent computing the delay nor rounds to the scheduler's tick.
#include <cerrno>
#include <ctime>

#include "graphics_clock.h"

namespace corvax {
namespace {

constexpr long kNanosecondsPerSecond = 1'000'000'000;

}  // namespace

std::int64_t MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

void SleepUntilNanoseconds(std::int64_t deadline) {
  timespec until{};
  until.tv_sec = static_cast<time_t>(deadline / kNanosecondsPerSecond);
  until.tv_nsec = static_cast<long>(deadline % kNanosecondsPerSecond);
  // A signal handler interrupts the sleep; the deadline stays the same, so sleep again.
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
}

}  // namespace corvax
