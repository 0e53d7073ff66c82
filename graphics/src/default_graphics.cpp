#include "default_graphics.h"

#include <corvax/graphics/graphics_core.h>
#include <corvax/runtime/immortal.h>
#include <corvax/runtime/runtime_module.h>
#include <corvax/stream/stream_module.h>
#include <corvax/system/backend/run_gate.h>
#include <corvax/system/system_module.h>

#include "frame_pacer.h"
#include "graphics_clock.h"
#include "sync_probe.h"

namespace corvax {
namespace {

struct DefaultGraphicsState {
  Ref<TGraphics> graphics;
  bool softwarePacing = false;
  FramePacer pacer;
  std::int32_t sequence = 1;
  int frameHookId = -1;
  bool closeAtExitRegistered = false;
};

// Never destroyed: the exit action that closes the default graphics may run after static
// destructors.
DefaultGraphicsState& State() {
  static auto* const state = &MakeImmortal<DefaultGraphicsState>();
  return *state;
}

// A fast replay waits for no retrace either: `sync` then becomes 0.
void PresentAsTheRunWaits(const Ref<TGraphicsDriver>& driver, int sync) {
  driver->Present(RunWaits() ? sync : 0);
}

// Whether synchronised presents wait for retraces at hertz: measured for up to one second, or
// until the presents have shown that they wait for no retrace at all.
bool RetraceMatches(int hertz) {
  SyncProbe probe(hertz);
  const std::uint32_t deadline = GraphicsMilliseconds() + 1000;
  while (static_cast<std::int32_t>(deadline - GraphicsMilliseconds()) > 0) {
    const std::uint32_t start = GraphicsMilliseconds();
    // A replay reads the recorded durations, so it decides as the recorded run did.
    PresentAsTheRunWaits(CurrentGraphicsDriver(), 1);
    const auto elapsed = static_cast<std::int32_t>(GraphicsMilliseconds() - start);
    if (probe.Record(elapsed)) return true;
    if (probe.Refuted()) return false;
  }
  return false;
}

}  // namespace

void ForgetDefaultGraphics(const Ref<TGraphics>& graphics) {
  if (graphics == State().graphics) State().graphics = nullptr;
}

std::int32_t GraphicsSequence() {
  return State().sequence;
}

std::int32_t AdvanceGraphicsSequence() {
  auto& sequence = State().sequence;
  // Wraps through the negative numbers, never to 0.
  sequence = static_cast<std::int32_t>(static_cast<std::uint32_t>(sequence) + 1u);
  if (sequence == 0) sequence = 1;
  return sequence;
}

int FrameHookId() {
  return State().frameHookId;
}

Ref<TGraphics> DefaultGraphics() {
  return State().graphics;
}

Ref<TGraphics> OpenGraphics(int width, int height, int depth, int hertz, int flags) {
  StartupGraphicsCoreModule();
  CloseDefaultGraphics();
  const Ref<TGraphics> graphics = CreateGraphicsContext(width, height, depth, hertz, flags);
  if (!graphics) return nullptr;
  auto& state = State();
  AdvanceGraphicsSequence();
  MakeGraphicsCurrent(graphics);

  // A window shares the display with others, so its retrace never paces it reliably.
  state.softwarePacing = hertz != 0 && (depth == 0 || !RetraceMatches(hertz));
  state.pacer.Start(hertz, GraphicsMilliseconds());
  state.graphics = graphics;

  if (depth != 0) MovePointer(width / 2, height / 2);
  StartPolledInput(nullptr);
  if (!state.closeAtExitRegistered) {
    state.closeAtExitRegistered = true;
    AddExitAction(&CloseDefaultGraphics);
  }
  return graphics;
}

void CloseDefaultGraphics() {
  const Ref<TGraphics> graphics = State().graphics;
  if (!graphics) return;
  AdvanceGraphicsSequence();
  StopPolledInput();
  CloseGraphicsContext(graphics);
}

void PresentFrame(int sync) {
  StartupGraphicsCoreModule();
  RunHookChain(FrameHookId(), nullptr);
  NoteRunFrame();
  const Ref<TGraphicsDriver> driver = CurrentGraphicsDriver();
  if (!driver) return;
  if (sync != -1) {
    PresentAsTheRunWaits(driver, sync);
    return;
  }
  auto& state = State();
  if (!state.graphics || CurrentGraphics() != state.graphics || !state.softwarePacing) {
    PresentAsTheRunWaits(driver, CurrentGraphicsDepth() != 0 ? 1 : 0);
    return;
  }
  // The wait ends on the slot's own millisecond boundary, whenever in its millisecond the clock
  // was read.
  // A replay's reading is another run's: a replay at the recorded pace waits as long as that run
  // did, from now.
  const std::int64_t live = MonotonicNanoseconds();
  const int delay = state.pacer.NextFrameDelay(MillisecondsOf(RunNanoseconds(live)));
  if (RunWaits()) SleepMillisecondsFrom(live, delay);
  driver->Present(0);
}

void StartupGraphicsCoreModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupRuntimeModule();
  StartupStreamModule();
  StartupSystemModule();
  State().frameHookId = AllocateHookId();
}

}  // namespace corvax
