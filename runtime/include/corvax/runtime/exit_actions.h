#pragma once
/// @file
/// One process-wide list of actions run at normal exit, newest first.
///
/// The list runs from an atexit handler, so statics constructed after the first action was
/// added are destroyed before the actions run. Module state that an exit action may touch is
/// therefore made with `new` and never destroyed.
/// Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupRuntimeModule() for this module
/// alone, before any other call.
#include <functional>

namespace corvax {

void AddExitAction(std::function<void()> action);

}  // namespace corvax
