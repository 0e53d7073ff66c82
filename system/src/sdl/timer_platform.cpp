#include "timer_platform.h"

#include <array>
#include <atomic>
#include <cstdint>

#include <SDL2/SDL.h>

#include <corvax/runtime/immortal.h>
#include <corvax/system/backend/run_gate.h>
#include <corvax/system/backend/sdl_support.h>
#include <corvax/system/timer.h>

namespace corvax {
namespace {

// Ticks pushed but not yet retrieved, over all timers. A program that stops pumping for a
// while must not fill SDL's queue with ticks and so lose its input events.
constexpr int kMaxPendingTicks = 4096;
std::atomic<int> pendingTicks{0};

// Set once before the first timer starts; SDL's timer thread reads it, and what orders the two
// is SDL's own hand-over of the timer, which the thread checker cannot see.
std::atomic<Uint32> tickEventType{0};

struct ActiveTimer {
  int handle = 0;
  SDL_TimerID sdlId = 0;
  TTimer* timer = nullptr;
};

struct ActiveTimers {
  std::array<ActiveTimer, kMaxRunningTimers> entries;
  int count = 0;
  int lastHandle = 0;
};

ActiveTimers& Active() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const active = &MakeImmortal<ActiveTimers>();
  return *active;
}

ActiveTimer* FindActive(int handle) {
  auto& active = Active();
  for (int i = 0; i < active.count; ++i) {
    if (active.entries[i].handle == handle) return &active.entries[i];
  }
  return nullptr;
}

// Runs on SDL's timer thread: it only carries the handle, never touches a timer.
Uint32 TickCallback(Uint32 interval, void* param) {
  if (pendingTicks.load(std::memory_order_relaxed) < kMaxPendingTicks) {
    SDL_Event event{};
    event.type = tickEventType.load(std::memory_order_acquire);
    event.user.code = static_cast<Sint32>(reinterpret_cast<std::intptr_t>(param));
    pendingTicks.fetch_add(1, std::memory_order_relaxed);
    if (SDL_PushEvent(&event) != 1) pendingTicks.fetch_sub(1, std::memory_order_relaxed);
  }
  return interval;
}

// On the main thread, inside the pump: a tick of a timer still running becomes its Tick; a
// late tick of a cancelled one is dropped.
bool TickWatcher(const SDL_Event& event) {
  if (event.type != tickEventType.load(std::memory_order_relaxed)) return false;
  pendingTicks.fetch_sub(1, std::memory_order_relaxed);
  if (const ActiveTimer* entry = FindActive(event.user.code)) {
    const Ref<TTimer> timer(entry->timer);
    if (AcceptTimerTick(*timer)) timer->Tick();
  }
  return true;
}

// At exit: no callback may push into SDL after this, and running timers let go of themselves.
void CancelAllTimers() {
  auto& active = Active();
  while (active.count > 0) {
    const Ref<TTimer> timer(active.entries[0].timer);
    timer->Cancel();
  }
  RemoveSdlEventWatcher(&TickWatcher);
}

bool PrepareFirstUse() {
  static const bool ready = [] {
    if (!InitSdlSubsystem(SDL_INIT_TIMER | SDL_INIT_EVENTS)) return false;
    const Uint32 type = SDL_RegisterEvents(1);
    if (type == static_cast<Uint32>(-1)) return false;
    tickEventType.store(type, std::memory_order_release);
    AddSdlEventWatcher(&TickWatcher);
    AddExitAction(&CancelAllTimers);
    return true;
  }();
  return ready;
}

}  // namespace

int StartPlatformTimer(float hertz, TTimer* timer) {
  if (!PrepareFirstUse()) return 0;
  auto& active = Active();
  if (active.count >= kMaxRunningTimers) return 0;
  const int period = TimerPeriodMs(hertz);
  if (period == 0) return 0;
  active.lastHandle = active.lastHandle == INT32_MAX ? 1 : active.lastHandle + 1;
  const int handle = active.lastHandle;
  const SDL_TimerID sdlId =
      SDL_AddTimer(static_cast<Uint32>(period), &TickCallback,
                   reinterpret_cast<void*>(static_cast<std::intptr_t>(handle)));
  if (sdlId == 0) return 0;
  active.entries[active.count++] = {handle, sdlId, timer};
  return handle;
}

void StopPlatformTimer(int handle) {
  ActiveTimer* entry = FindActive(handle);
  if (!entry) return;
  auto& active = Active();
  const SDL_TimerID sdlId = entry->sdlId;
  *entry = active.entries[--active.count];
  SDL_RemoveTimer(sdlId);
}

}  // namespace corvax
