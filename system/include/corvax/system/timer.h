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
  /// @return Ticks counted since the start.
  int TickCount() const { return ticks_; }
  /// Stops the timer for good; its ticks still pending are ignored. Nothing on a stopped timer.
  void Cancel();
  /// Counts a tick and broadcasts the timer's event; nothing on a stopped timer.
  void Tick();
  /// Waits for ticks.
  /// @return How many arrived since the previous call (at least 1); 0 at once on a stopped timer.
  int AwaitTicks();
  /// @return The platform timer id; 0 once stopped.
  int Handle() const { return handle_; }

  /// A running timer keeps itself alive until Cancel.
  /// @param hertz Ticks per second.
  /// @param event Broadcast, the same object, on every tick.
  /// @return The timer; Null when the rate is not possible (a period of under 1 ms, or not
  /// positive) or when kMaxRunningTimers run already.
  static Ref<TTimer> StartNew(float hertz, const Ref<TEvent>& event = nullptr);

 private:
  int ticks_ = 0;
  int ticksAtLastWait_ = 0;
  Ref<TTimer> self_;
  Ref<TEvent> event_;
  int handle_ = 0;
};

/// @param hertz Ticks per second.
/// @return 1000 / hertz truncated to whole milliseconds; 0 when there is none (above 1000 Hz, zero,
/// negative or not a number).
int TimerPeriodMs(float hertz);

/// TTimer::StartNew as a free function; these free-function forms throw TNullObjectException for a
/// Null timer.
/// @param hertz Ticks per second.
/// @param event Broadcast on every tick.
/// @return The timer, or Null.
Ref<TTimer> StartTimer(float hertz, const Ref<TEvent>& event = nullptr);
/// @param timer The timer.
/// @return TTimer::TickCount.
int TimerTickCount(const Ref<TTimer>& timer);
/// @param timer The timer.
/// @return TTimer::AwaitTicks.
int AwaitTimer(const Ref<TTimer>& timer);
/// TTimer::Cancel.
/// @param timer The timer.
void CancelTimer(const Ref<TTimer>& timer);

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupTimerModule();

}  // namespace corvax
