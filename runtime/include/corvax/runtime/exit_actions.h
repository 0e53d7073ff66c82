#pragma once
// One process-wide list of actions run at normal exit, newest first.
#include <functional>

namespace corvax {

void AddExitAction(std::function<void()> action);

}  // namespace corvax
