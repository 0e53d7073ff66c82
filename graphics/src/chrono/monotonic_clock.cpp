// The monotonic clock where the platform has no absolute-deadline sleep of its own: the
// standard library's steady clock, which sleeps until a point on itself.
#include <chrono>
#include <thread>

#include "graphics_clock.h"

namespace corvax {

std::int64_t MonotonicNanoseconds() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::nanoseconds>(since).count();
}

void SleepUntilNanoseconds(std::int64_t deadline) {
  const auto until = std::chrono::steady_clock::time_point(
      std::chrono::duration_cast<std::chrono::steady_clock::duration>(
          std::chrono::nanoseconds(deadline)));
  // One sleep may end early: some standard libraries sleep once for the remaining time, and
  // the system's sleep rounds it to its own timer (whole milliseconds on Windows).
  while (std::chrono::steady_clock::now() < until) std::this_thread::sleep_until(until);
}

}  // namespace corvax
