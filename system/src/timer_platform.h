#pragma once
// The platform side of timers: SDL timers whose callbacks only push an event that the main
// thread's pump turns into TTimer::Tick.
namespace corvax {

class TTimer;

// The new timer's handle, or 0 when it cannot start. The timer must stay alive until
// StopPlatformTimer.
int StartPlatformTimer(float hertz, TTimer* timer);
// Unknown handles are ignored.
void StopPlatformTimer(int handle);

}  // namespace corvax
