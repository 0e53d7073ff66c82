#pragma once
/// @defgroup runtime Runtime
/// Objects and references, strings, arrays, exceptions, handles, lists, maps and the program's
/// start (RunApplication). Start-up: StartupCorvax() from <corvax/corvax.h>, or
/// StartupRuntimeModule() for this module alone, before any other call of the module.
///
/// Example, `examples/serialise.cpp` (the suite builds and runs it):
/// @snippet serialise.cpp team list

/// @file
/// @ingroup runtime
/// The runtime module: objects, strings, arrays, exceptions, handles, containers, process start.
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
#include <corvax/runtime/start_once.h>
#include <corvax/runtime/string.h>

namespace corvax {

/// Starts the runtime module once; module start-up functions run once each, the modules they depend
/// on first.
/// @sa StartupCorvax
void StartupRuntimeModule();

}  // namespace corvax
