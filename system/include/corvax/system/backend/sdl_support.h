#pragma once
/// @file
/// @ingroup system
/// What other modules built on SDL share with the system driver: lazy subsystem start-up, a look
/// at every SDL event the driver retrieves, and which object owns each SDL window.
/// Shared between back ends of the framework, not meant for programs.
#include <cstdint>

#include <corvax/runtime/runtime_module.h>

union SDL_Event;

namespace corvax {

/// Starts the SDL subsystems unless they run already, leaving the process's own signal handlers in
/// place.
/// @param flags SDL_INIT_* flags.
/// @return False when SDL refuses (video without a display).
bool InitSdlSubsystem(std::uint32_t flags);

/// Watchers see every SDL event the driver retrieves, in installation order, before it becomes
/// a framework event; a watcher that returns true consumes it.
using SdlEventWatcher = bool (*)(const SDL_Event& event);
/// Installs a watcher.
/// @param watcher The watcher.
void AddSdlEventWatcher(SdlEventWatcher watcher);
/// Removes a watcher.
/// @param watcher The watcher.
void RemoveSdlEventWatcher(SdlEventWatcher watcher);

/// Graphics back ends name the object owning each SDL window, so the events of that window carry it
/// as their source.
/// @param windowId The SDL window id.
/// @param source The owning object.
void SetWindowEventSource(std::uint32_t windowId, const Ref<Object>& source);
/// Forgets the window, also as the window the pointer is over, without emitting anything.
/// @param windowId The SDL window id.
void ClearWindowEventSource(std::uint32_t windowId);
/// @param windowId The SDL window id.
/// @return The owning object; Null for windows nobody named.
Ref<Object> WindowEventSource(std::uint32_t windowId);

}  // namespace corvax
