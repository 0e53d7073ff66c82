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

/// Starts listening, counting only events of the source (Null: every source), with cleared
/// state. Does nothing at all while already listening.
void StartPolledInput(const Ref<Object>& source = nullptr);
/// Stops listening and clears the state.
void StopPolledInput();

/// Presses of the key since it was last asked, counted from up to down; reset by the call.
/// Codes and buttons outside 0-255 and 0-3 report 0.
int KeyHitCount(int key);
/// 1 while the key is down, else 0.
int IsKeyDown(int key);
/// The oldest typed character, or 0 when none waits (at most 256 wait).
int NextChar();
/// The same as KeyHitCount and IsKeyDown, for mouse buttons (MOUSE_LEFT, ...).
///@{
int MouseHitCount(int button);
int IsMouseDown(int button);
///@}
/// Where the last "MouseMove" put the pointer, in the window's client coordinates.
///@{
int PointerX();
int PointerY();
///@}
/// Wheel notches since the last ClearMouse.
int WheelPosition();
/// 1 while the application is inactive (another application has the focus), else 0.
int IsAppSuspended();
/// 1 once after a close request, then 0.
int TakeAppTerminate();

/// Both pump first, whatever the query setting, so pending input is not recorded afterwards.
/// Forget key or mouse state: hits, held keys or buttons, typed characters, wheel notches.
///@{
void ClearKeys();
void ClearMouse();
///@}

/// The next key hit, typed character or mouse button hit, waiting for as long as it takes.
///@{
int AwaitKey();
int AwaitChar();
int AwaitMouse();
///@}

/// Whether queries pump first; on by default.
///@{
int PollOnQuery();
void SetPollOnQuery(int poll);
///@}

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupPolledInputModule();

}  // namespace corvax
