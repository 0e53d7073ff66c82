#pragma once
// The system module: hooks, events and the event queue, the system driver, polled input,
// timers and joysticks.
#include <corvax/system/chooser.h>
#include <corvax/system/event.h>
#include <corvax/system/event_queue.h>
#include <corvax/system/hook.h>
#include <corvax/system/joystick.h>
#include <corvax/system/key_codes.h>
#include <corvax/system/polled_input.h>
#include <corvax/system/system_driver.h>
#include <corvax/system/timer.h>

namespace corvax {

// Starts the streams module, then hooks, events, the system driver, the event queue, polled
// input and timers. SDL itself starts only when something needs it.
void StartupSystemModule();

}  // namespace corvax
