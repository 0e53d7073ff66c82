#include <corvax/runtime/exit_actions.h>
#include <corvax/runtime/immortal.h>

#include <cstdlib>
#include <vector>

namespace corvax {
namespace {

std::vector<std::function<void()>>& Actions() {
  // Never destroyed: it must outlive every static that an exit action may touch.
  static auto* const actions = &MakeImmortal<std::vector<std::function<void()>>>();
  return *actions;
}

void RunExitActions() {
  auto& actions = Actions();
  while (!actions.empty()) {
    auto action = std::move(actions.back());
    actions.pop_back();
    action();
  }
}

}  // namespace

void AddExitAction(std::function<void()> action) {
  static const bool registered = std::atexit(&RunExitActions) == 0;
  (void)registered;
  Actions().push_back(std::move(action));
}

}  // namespace corvax
