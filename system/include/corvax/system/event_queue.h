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
void QueueEvent(const Ref<TEvent>& event, bool merge);
/// Takes the oldest event, makes it the active event and returns its id; when nothing is queued
/// even after one PumpSystem, the active event becomes the empty event and 0 is returned.
int NextEvent();
/// Like NextEvent, but waits in AwaitSystem for as long as the queue stays empty.
int AwaitEvent();
/// The oldest event without taking it; Null when nothing is queued after one PumpSystem.
Ref<TEvent> PeekNextEvent();

/// The active event (the one NextEvent or AwaitEvent took last) and its fields; the empty
/// event's are 0, Null and the empty string.
///@{
Ref<TEvent> ActiveEvent();
int ActiveEventId();
int ActiveEventData();
int ActiveEventMods();
int ActiveEventX();
int ActiveEventY();
Ref<Object> ActiveEventExtra();
///@}
/// The extra object if it is a String, else the empty string.
String ActiveEventText();
/// The active event's source object.
Ref<Object> ActiveEventSource();
/// A new runtime handle for the source (0 for Null); release it with ReleaseHandle.
int ActiveEventSourceHandle();

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupEventQueueModule();

}  // namespace corvax
