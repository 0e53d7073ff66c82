#pragma once
// Pausing a test while the rest of the system runs: test support only. On the desktop other
// threads (SDL's timer thread, say) go on meanwhile; in a web page there are none, and what
// they would do runs when the browser gets control, so the pause hands it over.
#include <chrono>

#if defined(__EMSCRIPTEN__)
#include <emscripten.h>
#else
#include <thread>
#endif

namespace corvax::testing {

inline void PauseFor(std::chrono::milliseconds duration) {
#if defined(__EMSCRIPTEN__)
  emscripten_sleep(static_cast<unsigned>(duration.count()));
#else
  std::this_thread::sleep_for(duration);
#endif
}

}  // namespace corvax::testing
