#pragma once
/// @file
/// @ingroup system
/// Gamepads in the standard layout: whatever the device, its buttons and sticks answer under
/// the names below, from SDL's built-in mapping database and any mappings the program adds
/// (LoadGamepadMappings). Up to 16 gamepads at ports 0-15: a gamepad keeps its port while
/// attached, a new one takes the lowest free port. Polled state as for the keyboard (queries
/// pump the system first while PollOnQuery is on), and events: "GamepadAdded",
/// "GamepadRemoved", "GamepadButtonDown", "GamepadButtonUp" and "GamepadMove" (event.h).
/// A gamepad is also one of the raw joysticks (joystick.h). Out-of-range ports, buttons and
/// axes report nothing. Example: examples/gamepad.cpp.
#include <corvax/runtime/runtime_module.h>
#include <corvax/stream/url.h>

namespace corvax {

/// How many ports there are: gamepads are numbered 0 to GAMEPAD_PORT_COUNT - 1.
inline constexpr int GAMEPAD_PORT_COUNT = 16;

/// Buttons, named by their place in the layout (GAMEPAD_A is the bottom face button).
///@{
inline constexpr int GAMEPAD_A = 0;
inline constexpr int GAMEPAD_B = 1;
inline constexpr int GAMEPAD_X = 2;
inline constexpr int GAMEPAD_Y = 3;
inline constexpr int GAMEPAD_BACK = 4;
inline constexpr int GAMEPAD_GUIDE = 5;
inline constexpr int GAMEPAD_START = 6;
inline constexpr int GAMEPAD_LEFT_STICK = 7;
inline constexpr int GAMEPAD_RIGHT_STICK = 8;
inline constexpr int GAMEPAD_LEFT_SHOULDER = 9;
inline constexpr int GAMEPAD_RIGHT_SHOULDER = 10;
inline constexpr int GAMEPAD_DPAD_UP = 11;
inline constexpr int GAMEPAD_DPAD_DOWN = 12;
inline constexpr int GAMEPAD_DPAD_LEFT = 13;
inline constexpr int GAMEPAD_DPAD_RIGHT = 14;
/// The extra button some pads have (share, capture, microphone).
inline constexpr int GAMEPAD_MISC = 15;
inline constexpr int GAMEPAD_PADDLE_1 = 16;
inline constexpr int GAMEPAD_PADDLE_2 = 17;
inline constexpr int GAMEPAD_PADDLE_3 = 18;
inline constexpr int GAMEPAD_PADDLE_4 = 19;
inline constexpr int GAMEPAD_TOUCHPAD = 20;
/// How many buttons a gamepad has.
inline constexpr int GAMEPAD_BUTTON_COUNT = 21;
///@}

/// Axes: the sticks -1..1 (left and up negative), the triggers 0..1.
///@{
inline constexpr int GAMEPAD_LEFT_X = 0;
inline constexpr int GAMEPAD_LEFT_Y = 1;
inline constexpr int GAMEPAD_RIGHT_X = 2;
inline constexpr int GAMEPAD_RIGHT_Y = 3;
inline constexpr int GAMEPAD_LEFT_TRIGGER = 4;
inline constexpr int GAMEPAD_RIGHT_TRIGGER = 5;
/// How many axes a gamepad has.
inline constexpr int GAMEPAD_AXIS_COUNT = 6;
///@}

/// "GamepadMove" events carry the position in these parts: y = position * GAMEPAD_MOVE_SCALE.
inline constexpr int GAMEPAD_MOVE_SCALE = 1000;

/// @return Gamepads attached now.
int GamepadCount();
/// @param port The gamepad's number.
/// @return The gamepad's name; empty for a port with no gamepad.
String GamepadName(int port);
/// @param port The gamepad's number.
/// @param button GAMEPAD_A, ...
/// @return True while the button is down.
/// @sa GamepadButtonHitCount
bool IsGamepadButtonDown(int port, int button);
/// Presses since the button was last asked, counted from up to down; reset by the call.
/// @param port The gamepad's number.
/// @param button GAMEPAD_A, ...
/// @return The number of presses.
int GamepadButtonHitCount(int port, int button);
/// @param port The gamepad's number.
/// @param axis GAMEPAD_LEFT_X, ...
/// @return -1..1 for the sticks, 0..1 for the triggers.
float GamepadAxis(int port, int axis);
/// Forgets held buttons and counted presses.
void ClearGamepads();

/// @param port The gamepad's number.
/// @return True when the gamepad has rumble motors.
bool HasGamepadRumble(int port);
/// Runs the rumble motors for a while; a new call replaces the one before, and intensities of 0
/// stop them.
/// @param port The gamepad's number.
/// @param low The low-frequency (left, heavy) motor's intensity, 0..1.
/// @param high The high-frequency (right, light) motor's intensity, 0..1.
/// @param milliseconds How long.
/// @return True when the gamepad rumbles; false for a missing gamepad or one without motors.
bool RumbleGamepad(int port, float low, float high, int milliseconds);

/// Adds one mapping in the "gamecontrollerdb.txt" form ("GUID,name,a:b0,leftx:a0,...").
/// Gamepads already attached that it maps arrive with "GamepadAdded".
/// @param mapping The mapping.
/// @return True when added; false, with a line on standard error saying why, for a malformed
/// mapping.
bool AddGamepadMapping(const String& mapping);
/// Adds the mappings of a file in the "gamecontrollerdb.txt" form: one a line, '#' comments,
/// lines for other platforms left out. A file with a malformed line adds nothing.
/// @param url A file path or "protocol::path".
/// @return How many mappings were added; -1, with a line on standard error naming the line and
/// what is wrong with it, when the file cannot be read or holds a malformed mapping.
int LoadGamepadMappings(const Url& url);

}  // namespace corvax
