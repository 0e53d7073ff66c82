#pragma once
/// @file
/// @ingroup system
/// Numbered chains of callbacks: the framework's one publish/subscribe mechanism. A module
/// allocates an id once, anyone installs functions on it, and the id's owner runs the chain.
#include <corvax/runtime/runtime_module.h>

namespace corvax {

/// Takes the chain's data and returns the data for the next function in the chain.
using HookFunction = Ref<Object> (*)(int id, const Ref<Object>& data, const Ref<Object>& context);

/// One function installed on a hook id's chain.
class THook : public Object {
 public:
  /// The hook that runs after this one, or Null.
  Ref<THook> next;
  /// Higher runs earlier.
  int priority = 0;
  /// What runs.
  HookFunction function = nullptr;
  /// Passed to the function on every run.
  Ref<Object> context;
};

/// How many hook ids AllocateHookId can give.
inline constexpr int kHookIdCount = 256;

/// Throws the String "Too many hook ids" from the 257th call on.
/// @return 0, 1, 2, ...
int AllocateHookId();
/// Higher priorities run first; equal priorities run in installation order. A bad id throws
/// TArrayBoundsException.
/// @param id The hook id.
/// @param function What runs.
/// @param context Passed to the function on every run.
/// @param priority Higher runs earlier.
/// @sa UninstallHook, RunHookChain
void InstallHook(int id, HookFunction function, const Ref<Object>& context, int priority = 0);
/// Unlinks the first hook whose function and context (by identity) match; nothing otherwise.
/// @param id The hook id.
/// @param function The function installed.
/// @param context Its context.
void UninstallHook(int id, HookFunction function, const Ref<Object>& context);
/// Passes the data through every function in order.
/// @param id The hook id.
/// @param data The data for the first function.
/// @return What the last one returned.
Ref<Object> RunHookChain(int id, Ref<Object> data);

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupHookModule();

}  // namespace corvax
