#pragma once
/// @file
/// @ingroup system
/// Keyboard and mouse as state a game loop queries each frame. A listener on the event hook,
/// switched on while graphics are open; every query first pumps the system (unless switched off
/// with SetPollOnQuery), so a loop that only polls still sees fresh input.
/// Call first: OpenGraphics (graphics_core.h), which starts polled input, then KeyHitCount,
/// IsKeyDown and the mouse queries once a frame. Example: examples/input.cpp.
#include <corvax/runtime/runtime_module.h>

namespace corvax {

/// Where polled input listens on the event hook.
inline constexpr int kPolledInputHookPriority = 0;

/// Starts listening, with cleared state. Does nothing at all while already listening.
/// @param source Only events of this source count (Null: every source).
/// @sa StopPolledInput
void StartPolledInput(const Ref<Object>& source = nullptr);
/// Stops listening and clears the state.
void StopPolledInput();

/// Presses of the key since it was last asked, counted from up to down; reset by the call.
/// @param key A key code (KEY_...); codes outside 0-255 report 0.
/// @return The number of presses.
/// @sa IsKeyDown, MouseHitCount
int KeyHitCount(int key);
/// @param key A key code (KEY_...).
/// @return true while the key is down, else false.
/// @sa KeyHitCount
[[nodiscard]] bool IsKeyDown(int key);
/// @return The oldest typed character, or 0 when none waits (at most 256 wait).
int NextChar();
/// The same as KeyHitCount, for mouse buttons.
/// @param button MOUSE_LEFT, ...; buttons outside 0-3 report 0.
/// @return The number of presses.
/// @sa IsMouseDown
int MouseHitCount(int button);
/// The same as IsKeyDown, for mouse buttons.
/// @param button MOUSE_LEFT, ...
/// @return true while the button is down, else false.
[[nodiscard]] bool IsMouseDown(int button);
/// @return Where the last "MouseMove" put the pointer, in the window's client coordinates: x.
/// @sa PointerY
int PointerX();
/// @return Where the last "MouseMove" put the pointer: y.
int PointerY();
/// @return Wheel notches since the last ClearMouse.
int WheelPosition();
/// @return true while the application is inactive (another application has the focus), else false.
[[nodiscard]] bool IsAppSuspended();
/// @return true once after a close request, then false.
bool TakeAppTerminate();

/// Forgets key state: hits, held keys, typed characters. Pumps first, whatever the query setting,
/// so pending input is not recorded afterwards.
void ClearKeys();
/// Forgets mouse state: hits, held buttons, wheel notches. Pumps first, as ClearKeys does.
void ClearMouse();

/// @return The next key hit, waiting for as long as it takes.
int AwaitKey();
/// @return The next typed character, waiting for as long as it takes.
int AwaitChar();
/// @return The next mouse button hit, waiting for as long as it takes.
int AwaitMouse();

/// @return true when queries pump first; on by default.
[[nodiscard]] bool PollOnQuery();
/// @param poll true when queries pump first.
void SetPollOnQuery(bool poll);

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupPolledInputModule();

}  // namespace corvax
