#pragma once
/// @file
/// @ingroup runtime
/// Positive integers that stand for objects in one process-wide table.
#include <corvax/runtime/object.h>

namespace corvax {

/// A new handle holding a reference to the object.
/// @param object The object the handle stands for.
/// @return The handle; 0 for the Null object.
/// @sa HandleToObject, ReleaseHandle
int HandleFromObject(const Ref<Object>& object);
/// @param handle A handle from HandleFromObject.
/// @return The object the handle stands for; Null for 0, a released or an unknown handle.
/// @sa HandleFromObject
Ref<Object> HandleToObject(int handle);
/// Drops the table's reference; unknown handles are ignored.
/// @param handle A handle from HandleFromObject.
/// @sa HandleFromObject
void ReleaseHandle(int handle);

}  // namespace corvax
