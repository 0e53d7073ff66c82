#pragma once
/// @file
/// @ingroup system
/// The application's event queue: a listener at the end of the event chain that keeps up to 256
/// events for the application to take one at a time.
/// Call first: NextEvent (or AwaitEvent) in the main loop, then the ActiveEvent getters.
/// Example: examples/input.cpp.
#include <corvax/system/event.h>

namespace corvax {

/// Where the queue listens on the event hook: after every listener of ordinary priority.
inline constexpr int kEventQueueHookPriority = -10000;

/// Injects an event; see TEventRing::Put for merging and overflow.
/// @param event The event.
/// @param merge Whether it may merge with the newest queued one.
void QueueEvent(const Ref<TEvent>& event, bool merge);
/// Takes the oldest event and makes it the active event; when nothing is queued even after one
/// PumpSystem, the active event becomes the empty event.
/// @return Its id, or 0.
/// @sa AwaitEvent, ActiveEvent
int NextEvent();
/// Like NextEvent, but waits in AwaitSystem for as long as the queue stays empty.
/// @return The event's id.
int AwaitEvent();
/// @return The oldest event without taking it; Null when nothing is queued after one PumpSystem.
Ref<TEvent> PeekNextEvent();

/// @return The active event (the one NextEvent or AwaitEvent took last); the empty event's fields
/// are 0, Null and the empty string.
Ref<TEvent> ActiveEvent();
/// @return The active event's id.
int ActiveEventId();
/// @return The active event's data.
int ActiveEventData();
/// @return The active event's modifier bits.
int ActiveEventMods();
/// @return The active event's x.
int ActiveEventX();
/// @return The active event's y.
int ActiveEventY();
/// @return The active event's extra object.
Ref<Object> ActiveEventExtra();
/// @return The extra object if it is a String, else the empty string.
String ActiveEventText();
/// @return The active event's source object.
Ref<Object> ActiveEventSource();
/// @return A new runtime handle for the source (0 for Null); release it with ReleaseHandle.
int ActiveEventSourceHandle();

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupEventQueueModule();

}  // namespace corvax
