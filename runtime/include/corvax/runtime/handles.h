#pragma once
/// @file
/// @ingroup runtime
/// Positive integers that stand for objects in one process-wide table.
#include <corvax/runtime/object.h>

namespace corvax {

/// A new handle holding a reference to the object; 0 for the Null object.
int HandleFromObject(const Ref<Object>& object);
/// The object a handle stands for; Null for 0, a released or an unknown handle.
Ref<Object> HandleToObject(int handle);
/// Drops the table's reference; unknown handles are ignored.
void ReleaseHandle(int handle);

}  // namespace corvax
