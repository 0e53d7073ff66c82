#pragma once
/// @file
/// @ingroup system
/// Events: one record type broadcast on one hook id, where polled input and the queue listen.
#include <corvax/runtime/runtime_module.h>

namespace corvax {

/// The high bits name the group: 0x100 application, 0x200 keyboard and text entry, 0x400 mouse,
/// 0x800 timer, 0x1000 gamepad, 0x2000 gadget, 0x4000 window, 0x8000 menu.
enum class EventId : int {
  AppSuspend = 0x101,
  AppResume = 0x102,
  AppTerminate = 0x103,
  AppOpenFile = 0x104,
  KeyDown = 0x201,
  KeyUp = 0x202,
  KeyChar = 0x203,
  KeyRepeat = 0x204,
  /// An input method's composition changed: extra = the text being composed (empty when the
  /// composition ended without text), data = the cursor's place in it and x = the length of its
  /// selection, both in UTF-16 units. See text_input.h.
  TextComposition = 0x205,
  /// Text was entered, typed or committed by an input method: extra = the whole text. The same
  /// text also arrives unit by unit as "KeyChar" events.
  TextInput = 0x206,
  MouseDown = 0x401,
  MouseUp = 0x402,
  MouseMove = 0x403,
  MouseWheel = 0x404,
  MouseEnter = 0x405,
  MouseLeave = 0x406,
  TimerTick = 0x801,
  /// A gamepad arrived: data = its port. See gamepad.h.
  GamepadAdded = 0x1001,
  /// A gamepad went away: data = the port it had.
  GamepadRemoved = 0x1002,
  /// data = the button (GamepadButton), x = the port.
  GamepadButtonDown = 0x1003,
  /// data = the button, x = the port.
  GamepadButtonUp = 0x1004,
  /// data = the axis (GamepadAxis), x = the port, y = the position in thousandths: -1000..1000
  /// for the sticks (left and up negative), 0..1000 for the triggers.
  GamepadMove = 0x1005,
  GadgetAction = 0x2001,
  GadgetPaint = 0x2002,
  GadgetSelect = 0x2003,
  GadgetMenu = 0x2004,
  GadgetOpen = 0x2005,
  GadgetClose = 0x2006,
  GadgetDone = 0x2007,
  GadgetLostFocus = 0x2008,
  WindowMove = 0x4001,
  WindowSize = 0x4002,
  WindowClose = 0x4003,
  WindowActivate = 0x4004,
  WindowAccept = 0x4005,
  MenuAction = 0x8001,
};

/// Event ids travel as ints (any id may be broadcast); this lets them compare with the names.
/// @param id An event id.
/// @param name A named id.
/// @return True when they are the same id.
constexpr bool operator==(int id, EventId name) {
  return id == static_cast<int>(name);
}

/// Modifier bits of TEvent::mods: MODIFIER_ constants combined with |.
using ModifierFlags = int;
/// A shift key is down.
inline constexpr ModifierFlags MODIFIER_SHIFT = 1;
/// A control key is down.
inline constexpr ModifierFlags MODIFIER_CONTROL = 2;
/// An alt key is down.
inline constexpr ModifierFlags MODIFIER_ALT = 4;
/// A system (Windows, Command) key is down.
inline constexpr ModifierFlags MODIFIER_SYSTEM = 8;

/// Deprecated: the earlier names of the MODIFIER_ bits, kept so that programs using them build.
///@{
inline constexpr ModifierFlags kModifierShift = MODIFIER_SHIFT;
inline constexpr ModifierFlags kModifierControl = MODIFIER_CONTROL;
inline constexpr ModifierFlags kModifierAlt = MODIFIER_ALT;
inline constexpr ModifierFlags kModifierSystem = MODIFIER_SYSTEM;
///@}

/// Something that happened: a key, the pointer, a window, a timer. Broadcast on the event hook.
class TEvent : public Object {
 public:
  /// An EventId value.
  int id = 0;
  Ref<Object> source;  ///< what the event concerns: a graphics object, a timer, ...
  int data = 0;        ///< key code, button, wheel notches, tick count or character code
  /// Modifier bits (kModifierShift, ...) held at the time.
  ModifierFlags mods = 0;
  /// The pointer position in the source's pixels, for pointer events.
  ///@{
  int x = 0;
  int y = 0;
  ///@}
  Ref<Object> extra;  ///< a String for text-carrying events

  /// Runs the event hook chain with this event; the chain's result is ignored.
  /// @sa BroadcastEvent
  void Broadcast();
  /// @return Name: data=D, mods=M, x=X, y=Y, extra="text"
  String ToString() const override;

  /// A new event with the fields given.
  /// @param id An EventId value.
  /// @param source What the event concerns.
  /// @param data Key code, button, wheel notches, tick count or character code.
  /// @param mods Modifier bits.
  /// @param x The pointer's column.
  /// @param y The pointer's row.
  /// @param extra A String for text-carrying events.
  /// @return The event.
  static Ref<TEvent> MakeEvent(int id, const Ref<Object>& source = nullptr, int data = 0,
                               int mods = 0, int x = 0, int y = 0,
                               const Ref<Object>& extra = nullptr);
};

/// @param id An event id.
/// @return The name the text form prints; "Unknown Event, id=N" for ids outside the enumeration.
String EventName(int id);

/// @return The hook id every event is broadcast on.
int EventHookId();

/// TEvent::MakeEvent: a new event with the fields given.
/// @param id The id as a number.
/// @param source What the event concerns.
/// @param data Key code, button, wheel notches, tick count or character code.
/// @param mods Modifier bits.
/// @param x The pointer's column.
/// @param y The pointer's row.
/// @param extra A String for text-carrying events.
/// @return The event.
inline Ref<TEvent> MakeEvent(int id, const Ref<Object>& source = nullptr, int data = 0,
                             int mods = 0, int x = 0, int y = 0,
                             const Ref<Object>& extra = nullptr) {
  return TEvent::MakeEvent(id, source, data, mods, x, y, extra);
}
/// TEvent::MakeEvent with a named id.
/// @param id The id.
/// @param source What the event concerns.
/// @param data Key code, button, wheel notches, tick count or character code.
/// @param mods Modifier bits.
/// @param x The pointer's column.
/// @param y The pointer's row.
/// @param extra A String for text-carrying events.
/// @return The event.
inline Ref<TEvent> MakeEvent(EventId id, const Ref<Object>& source = nullptr, int data = 0,
                             int mods = 0, int x = 0, int y = 0,
                             const Ref<Object>& extra = nullptr) {
  return TEvent::MakeEvent(static_cast<int>(id), source, data, mods, x, y, extra);
}
/// event->Broadcast(); a Null event throws TNullObjectException.
/// @param event The event.
void BroadcastEvent(const Ref<TEvent>& event);

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupEventModule();

}  // namespace corvax
