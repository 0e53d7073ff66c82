#pragma once
/// @file
/// @ingroup system
/// Timers tick at a fixed rate on the main thread: each tick is counted and broadcast as an
/// event (by default "TimerTick" with the timer as source and the tick count as data) while the
/// system is pumped.
/// Call first: StartTimer, then AwaitTimer or the "TimerTick" events it broadcasts.
/// Example: examples/timers.cpp.
#include <corvax/system/event.h>

namespace corvax {

/// At most this many timers run at once.
inline constexpr int kMaxRunningTimers = 16;

/// A timer ticking on the main thread at a fixed rate, through the event queue.
class TTimer : public Object {
 public:
  /// Ticks counted since the start.
  int TickCount() const { return ticks_; }
  /// Stops the timer for good; its ticks still pending are ignored. Nothing on a stopped timer.
  void Cancel();
  /// Counts a tick and broadcasts the timer's event; nothing on a stopped timer.
  void Tick();
  /// Waits for ticks and returns how many arrived since the previous call (at least 1); 0 at
  /// once on a stopped timer.
  int AwaitTicks();
  /// The platform timer id; 0 once stopped.
  int Handle() const { return handle_; }

  /// Null when the rate is not possible (a period of under 1 ms, or not positive) or when
  /// kMaxRunningTimers run already. A running timer keeps itself alive until Cancel. With an
  /// event, every tick broadcasts that same event object.
  static Ref<TTimer> StartNew(float hertz, const Ref<TEvent>& event = nullptr);

 private:
  int ticks_ = 0;
  int ticksAtLastWait_ = 0;
  Ref<TTimer> self_;
  Ref<TEvent> event_;
  int handle_ = 0;
};

/// The tick period for a rate: 1000 / hertz truncated to whole milliseconds; 0 when there is
/// none (above 1000 Hz, zero, negative or not a number).
int TimerPeriodMs(float hertz);

/// Free-function forms: StartTimer (TTimer::StartNew), TimerTickCount, AwaitTimer (AwaitTicks)
/// and CancelTimer. A Null timer throws TNullObjectException.
///@{
Ref<TTimer> StartTimer(float hertz, const Ref<TEvent>& event = nullptr);
int TimerTickCount(const Ref<TTimer>& timer);
int AwaitTimer(const Ref<TTimer>& timer);
void CancelTimer(const Ref<TTimer>& timer);
///@}

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupTimerModule();

}  // namespace corvax
