// The monotonic clock in a page: the browser's high-resolution time. Sleeping hands the page back
// to the browser (through Asyncify) so that it shows frames and delivers input meanwhile; a busy
// wait, which is what the C library's sleep is on a page's main thread, would freeze the page.
#include <emscripten.h>

#include "graphics_clock.h"

namespace corvax {

std::int64_t MonotonicNanoseconds() {
  return static_cast<std::int64_t>(emscripten_get_now() *
                                   static_cast<double>(kNanosecondsPerMillisecond));
}

void SleepUntilNanoseconds(std::int64_t deadline) {
  // Browser timers fire in whole milliseconds and may fire early: sleep again for what is left.
  for (;;) {
    const std::int64_t left = deadline - MonotonicNanoseconds();
    if (left <= 0) return;
    emscripten_sleep(static_cast<unsigned>((left + kNanosecondsPerMillisecond - 1) /
                                           kNanosecondsPerMillisecond));
  }
}

}  // namespace corvax
