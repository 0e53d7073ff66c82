#pragma once
#include <SDL2/SDL_events.h>

namespace corvax {

// Shows a retrieved SDL event to the watchers and, unless one consumes it, turns it into
// framework events.
void DispatchSdlEvent(const SDL_Event& event);

}  // namespace corvax
