#pragma once
/// @file
/// @ingroup system
/// Joysticks as polled state, in the manner of polled keyboard and mouse input: up to 16
/// joysticks at ports 0-15 (a joystick keeps its port while attached; a new one takes the lowest
/// free port), 16 buttons, 6 axes and one hat each. Queries pump the system first while
/// PollOnQuery is on. Out-of-range ports, buttons and axes report nothing.
#include <corvax/runtime/runtime_module.h>

namespace corvax {

/// @return Joysticks attached now.
int JoystickCount();
/// @param port The joystick's number.
/// @return The joystick's name; empty for a port with no joystick.
String JoystickName(int port);
/// @param port The joystick's number.
/// @param button The button's number.
/// @return True while the button is down; false for a missing joystick or button.
/// @sa JoystickButtonHitCount
bool IsJoystickButtonDown(int port, int button);
/// Presses since the button was last asked, counted from up to down; reset by the call.
/// @param port The joystick's number.
/// @param button The button's number.
/// @return The number of presses.
int JoystickButtonHitCount(int port, int button);
/// @param port The joystick's number.
/// @param axis The axis's number.
/// @return -1..1: left/up negative on the first two axes.
float JoystickAxis(int port, int axis);
/// @param port The joystick's number.
/// @return Degrees clockwise from up (0, 45, ... 315), or -1 when centred.
int JoystickHat(int port);
/// Forgets held buttons and counted presses.
void ClearJoysticks();

}  // namespace corvax
