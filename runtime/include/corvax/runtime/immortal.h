#pragma once
/// @file
/// @ingroup runtime
/// Process-wide state that outlives static destruction.
#include <utility>

namespace corvax {

/// Makes an object that lives until the process ends and is never destroyed, so that code
/// running while static objects are destroyed (exit actions, other objects' destructors) still
/// finds it whole. Meant for function-local statics:
/// `static HandleTable& table = MakeImmortal<HandleTable>();`
/// @tparam T The type of the object.
/// @param args What T's constructor takes.
/// @return The new object, never freed.
template <typename T, typename... Args>
T& MakeImmortal(Args&&... args) {
  // The one place that allocates without an owner: the object is meant to outlive everything.
  return *new T(std::forward<Args>(args)...);  // NOLINT(cppcoreguidelines-owning-memory)
}

}  // namespace corvax
