#include <corvax/runtime/start_once.h>
#include <corvax/system/timer.h>

#include <climits>

#include <corvax/system/backend/run_gate.h>
#include <corvax/system/system_driver.h>

#include "timer_platform.h"

namespace corvax {

void TTimer::Cancel() {
  if (handle_ == 0) return;
  StopPlatformTimer(handle_);
  handle_ = 0;
  event_ = nullptr;
  // May free the timer; nothing below touches it.
  Ref<TTimer> self = std::move(self_);
}

void TTimer::Tick() {
  if (handle_ == 0) return;
  ++ticks_;
  if (event_) {
    event_->Broadcast();
  } else {
    MakeEvent(EventId::TimerTick, Ref<Object>(this), ticks_)->Broadcast();
  }
}

int TTimer::AwaitTicks() {
  if (handle_ == 0) return 0;
  // A hook may cancel the timer while it waits; the reference keeps it alive meanwhile.
  const Ref<TTimer> keep(this);
  while (ticks_ == ticksAtLastWait_ && handle_ != 0) AwaitSystem();
  const int passed = ticks_ - ticksAtLastWait_;
  ticksAtLastWait_ = ticks_;
  return passed;
}

Ref<TTimer> TTimer::StartNew(float hertz, const Ref<TEvent>& event) {
  StartupTimerModule();
  auto timer = New<TTimer>();
  const int handle = StartPlatformTimer(hertz, timer.get());
  if (handle == 0) return nullptr;
  timer->self_ = timer;
  timer->event_ = event;
  timer->handle_ = handle;
  NoteTimerStarted(*timer);
  return timer;
}

int TimerPeriodMs(float hertz) {
  const float period = 1000.0f / hertz;
  if (!(period >= 1.0f) || period >= static_cast<float>(INT_MAX)) return 0;
  return static_cast<int>(period);
}

Ref<TTimer> StartTimer(float hertz, const Ref<TEvent>& event) {
  return TTimer::StartNew(hertz, event);
}

int TimerTickCount(const Ref<TTimer>& timer) {
  return timer->TickCount();
}
int AwaitTimer(const Ref<TTimer>& timer) {
  return timer->AwaitTicks();
}
void CancelTimer(const Ref<TTimer>& timer) {
  timer->Cancel();
}

void StartupTimerModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupEventModule();
  StartupSystemDriverModule();
}

}  // namespace corvax
