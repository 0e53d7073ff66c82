#include <corvax/runtime/start_once.h>
#include <corvax/system/event.h>

#include <string>

#include <corvax/system/hook.h>

namespace corvax {
namespace {

int eventHookId = -1;

const char16_t* KnownEventName(int id) {
  switch (static_cast<EventId>(id)) {
    case EventId::AppSuspend:
      return u"AppSuspend";
    case EventId::AppResume:
      return u"AppResume";
    case EventId::AppTerminate:
      return u"AppTerminate";
    case EventId::AppOpenFile:
      return u"AppOpenFile";
    case EventId::KeyDown:
      return u"KeyDown";
    case EventId::KeyUp:
      return u"KeyUp";
    case EventId::KeyChar:
      return u"KeyChar";
    case EventId::KeyRepeat:
      return u"KeyRepeat";
    case EventId::TextComposition:
      return u"TextComposition";
    case EventId::TextInput:
      return u"TextInput";
    case EventId::MouseDown:
      return u"MouseDown";
    case EventId::MouseUp:
      return u"MouseUp";
    case EventId::MouseMove:
      return u"MouseMove";
    case EventId::MouseWheel:
      return u"MouseWheel";
    case EventId::MouseEnter:
      return u"MouseEnter";
    case EventId::MouseLeave:
      return u"MouseLeave";
    case EventId::TimerTick:
      return u"TimerTick";
    case EventId::GamepadAdded:
      return u"GamepadAdded";
    case EventId::GamepadRemoved:
      return u"GamepadRemoved";
    case EventId::GamepadButtonDown:
      return u"GamepadButtonDown";
    case EventId::GamepadButtonUp:
      return u"GamepadButtonUp";
    case EventId::GamepadMove:
      return u"GamepadMove";
    case EventId::GadgetAction:
      return u"GadgetAction";
    case EventId::GadgetPaint:
      return u"GadgetPaint";
    case EventId::GadgetSelect:
      return u"GadgetSelect";
    case EventId::GadgetMenu:
      return u"GadgetMenu";
    case EventId::GadgetOpen:
      return u"GadgetOpen";
    case EventId::GadgetClose:
      return u"GadgetClose";
    case EventId::GadgetDone:
      return u"GadgetDone";
    case EventId::GadgetLostFocus:
      return u"GadgetLostFocus";
    case EventId::WindowMove:
      return u"WindowMove";
    case EventId::WindowSize:
      return u"WindowSize";
    case EventId::WindowClose:
      return u"WindowClose";
    case EventId::WindowActivate:
      return u"WindowActivate";
    case EventId::WindowAccept:
      return u"WindowAccept";
    case EventId::MenuAction:
      return u"MenuAction";
  }
  return nullptr;
}

String Decimal(int value) {
  return From8Bit(std::to_string(value));
}

}  // namespace

String EventName(int id) {
  const char16_t* name = KnownEventName(id);
  return name ? String(name) : u"Unknown Event, id=" + Decimal(id);
}

void TEvent::Broadcast() {
  RunHookChain(EventHookId(), Ref<Object>(this));
}

String TEvent::ToString() const {
  return EventName(id) + u": data=" + Decimal(data) + u", mods=" + Decimal(mods) + u", x=" +
         Decimal(x) + u", y=" + Decimal(y) + u", extra=\"" + UnboxString(extra) + u"\"";
}

Ref<TEvent> TEvent::MakeEvent(int id, const Ref<Object>& source, int data, int mods, int x, int y,
                              const Ref<Object>& extra) {
  auto event = New<TEvent>();
  event->id = id;
  event->source = source;
  event->data = data;
  event->mods = mods;
  event->x = x;
  event->y = y;
  event->extra = extra;
  return event;
}

void BroadcastEvent(const Ref<TEvent>& event) {
  event->Broadcast();
}

int EventHookId() {
  StartupEventModule();
  return eventHookId;
}

void StartupEventModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupHookModule();
  eventHookId = AllocateHookId();
}

}  // namespace corvax
