#include <corvax/runtime/start_once.h>
#include <corvax/system/event_queue.h>

#include <corvax/runtime/immortal.h>
#include <corvax/system/hook.h>
#include <corvax/system/system_driver.h>
#include "event_ring.h"

namespace corvax {
namespace {

struct EventQueueState {
  TEventRing ring;
  Ref<TEvent> emptyEvent = New<TEvent>();
  Ref<TEvent> activeEvent = emptyEvent;
};

EventQueueState& State() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const state = &MakeImmortal<EventQueueState>();
  return *state;
}

// Notifications whose latest state is all a reader needs.
bool Merges(int id) {
  return id == EventId::TimerTick || id == EventId::GadgetAction || id == EventId::WindowMove ||
         id == EventId::WindowSize;
}

Ref<Object> QueueHook(int, const Ref<Object>& data, const Ref<Object>&) {
  const Ref<TEvent> event = Cast<TEvent>(data);
  if (!event) return nullptr;
  QueueEvent(event, Merges(event->id));
  return event;
}

int TakeEvent() {
  auto& state = State();
  Ref<TEvent> event = state.ring.Take();
  state.activeEvent = event ? event : state.emptyEvent;
  return state.activeEvent->id;
}

const Ref<TEvent>& Active() {
  StartupEventQueueModule();
  return State().activeEvent;
}

}  // namespace

void QueueEvent(const Ref<TEvent>& event, bool merge) {
  StartupEventQueueModule();
  State().ring.Put(event, merge);
}

int NextEvent() {
  StartupEventQueueModule();
  if (State().ring.Count() == 0) PumpSystem();
  return TakeEvent();
}

int AwaitEvent() {
  StartupEventQueueModule();
  while (State().ring.Count() == 0) AwaitSystem();
  return TakeEvent();
}

Ref<TEvent> PeekNextEvent() {
  StartupEventQueueModule();
  if (State().ring.Count() == 0) PumpSystem();
  return State().ring.Peek();
}

Ref<TEvent> ActiveEvent() {
  return Active();
}
int ActiveEventId() {
  return Active()->id;
}
int ActiveEventData() {
  return Active()->data;
}
int ActiveEventMods() {
  return Active()->mods;
}
int ActiveEventX() {
  return Active()->x;
}
int ActiveEventY() {
  return Active()->y;
}
Ref<Object> ActiveEventExtra() {
  return Active()->extra;
}
String ActiveEventText() {
  return UnboxString(Active()->extra);
}
Ref<Object> ActiveEventSource() {
  return Active()->source;
}
int ActiveEventSourceHandle() {
  return HandleFromObject(Active()->source);
}

void StartupEventQueueModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupEventModule();
  StartupSystemDriverModule();
  State();
  InstallHook(EventHookId(), &QueueHook, nullptr, kEventQueueHookPriority);
}

}  // namespace corvax
