#pragma once
/// @defgroup system System
/// Hooks, events and the event queue, the system driver over SDL2, polled input, timers, joysticks,
/// gamepads, text entry and the clipboard, and the desktop's choosers. Start-up: StartupCorvax()
/// from <corvax/corvax.h>, or StartupSystemModule() for this module alone, before any other call of
/// the module.
///
/// Example, `examples/input.cpp` (the suite builds and runs it):
/// @include input.cpp

/// @file
/// @ingroup system
/// The system module: hooks, events and the event queue, the system driver, polled input,
/// timers, joysticks, gamepads, text entry and the clipboard.
#include <corvax/system/chooser.h>
#include <corvax/system/event.h>
#include <corvax/system/event_queue.h>
#include <corvax/system/gamepad.h>
#include <corvax/system/hook.h>
#include <corvax/system/joystick.h>
#include <corvax/system/key_codes.h>
#include <corvax/system/polled_input.h>
#include <corvax/system/run_recording.h>
#include <corvax/system/system_driver.h>
#include <corvax/system/text_input.h>
#include <corvax/system/timer.h>

namespace corvax {

/// Starts the streams module, then hooks, events, the system driver, the event queue, polled
/// input and timers. SDL itself starts only when something needs it.
void StartupSystemModule();

}  // namespace corvax
