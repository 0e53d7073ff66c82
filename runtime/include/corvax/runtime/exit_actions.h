#pragma once
/// @file
/// @ingroup runtime
/// One process-wide list of actions run at normal exit, newest first.
///
/// The list runs from an atexit handler, so statics constructed after the first action was
/// added are destroyed before the actions run. Module state that an exit action may touch is
/// therefore made with `new` and never destroyed.
#include <functional>

namespace corvax {

/// Runs action at normal process exit, after every action added later. An action must not throw:
/// the process is already ending.
/// @param action The action to run.
void AddExitAction(std::function<void()> action);

}  // namespace corvax
