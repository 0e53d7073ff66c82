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

/// Starts the SDL subsystems named by the SDL_INIT_* flags unless they run already, leaving the
/// process's own signal handlers in place. False when SDL refuses (video without a display).
bool InitSdlSubsystem(std::uint32_t flags);

/// Watchers see every SDL event the driver retrieves, in installation order, before it becomes
/// a framework event; a watcher that returns true consumes it.
using SdlEventWatcher = bool (*)(const SDL_Event& event);
/// Installs or removes a watcher.
///@{
void AddSdlEventWatcher(SdlEventWatcher watcher);
void RemoveSdlEventWatcher(SdlEventWatcher watcher);
///@}

/// Graphics back ends name the object owning each SDL window (by SDL window id), so the events
/// of that window carry it as their source. Clearing forgets the window, also as the window the
/// pointer is over, without emitting anything.
///@{
void SetWindowEventSource(std::uint32_t windowId, const Ref<Object>& source);
void ClearWindowEventSource(std::uint32_t windowId);
///@}
/// Null for windows nobody named.
Ref<Object> WindowEventSource(std::uint32_t windowId);

}  // namespace corvax
