#pragma once
// The runtime module: objects, strings, arrays, exceptions, handles, containers, process start.
#include <corvax/runtime/application_entry.h>
#include <corvax/runtime/array.h>
#include <corvax/runtime/boxed_string.h>
#include <corvax/runtime/console.h>
#include <corvax/runtime/exceptions.h>
#include <corvax/runtime/exit_actions.h>
#include <corvax/runtime/handles.h>
#include <corvax/runtime/list.h>
#include <corvax/runtime/map.h>
#include <corvax/runtime/object.h>
#include <corvax/runtime/string.h>

namespace corvax {

// Module start-up functions run once each, the modules they depend on first.
void StartupRuntimeModule();

}  // namespace corvax
