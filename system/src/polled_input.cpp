#include <corvax/runtime/start_once.h>
#include <corvax/system/polled_input.h>

#include <corvax/system/event.h>
#include <corvax/system/hook.h>
#include <corvax/system/system_driver.h>

#include "polled_input_state.h"

namespace corvax {
namespace {

struct PolledInput {
  PolledInputState state;
  Ref<Object> sourceFilter;
  bool enabled = false;
  int pollOnQuery = 1;
};

PolledInput& Input() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const input = new PolledInput();
  return *input;
}

Ref<Object> InputHook(int, const Ref<Object>& data, const Ref<Object>&) {
  const TEvent* event = dynamic_cast<const TEvent*>(data.get());
  if (!event) return data;
  auto& input = Input();
  if (input.sourceFilter && input.sourceFilter != event->source) return data;
  input.state.Record(*event);
  return data;
}

PolledInputState& Queried() {
  StartupPolledInputModule();
  if (Input().pollOnQuery) PumpSystem();
  return Input().state;
}

}  // namespace

void StartPolledInput(const Ref<Object>& source) {
  StartupPolledInputModule();
  auto& input = Input();
  if (input.enabled) return;
  input.sourceFilter = source;
  ClearKeys();
  ClearMouse();
  InstallHook(EventHookId(), &InputHook, nullptr, kPolledInputHookPriority);
  input.enabled = true;
}

void StopPolledInput() {
  StartupPolledInputModule();
  auto& input = Input();
  if (!input.enabled) return;
  UninstallHook(EventHookId(), &InputHook, nullptr);
  ClearKeys();
  ClearMouse();
  input.sourceFilter = nullptr;
  input.enabled = false;
}

int KeyHitCount(int key) {
  return Queried().TakeKeyHits(key);
}
bool IsKeyDown(int key) {
  return Queried().KeyDown(key);
}
int NextChar() {
  return Queried().TakeChar();
}
int MouseHitCount(int button) {
  return Queried().TakeMouseHits(button);
}
bool IsMouseDown(int button) {
  return Queried().MouseDown(button);
}
int PointerX() {
  return Queried().PointerX();
}
int PointerY() {
  return Queried().PointerY();
}
int WheelPosition() {
  return Queried().Wheel();
}
bool IsAppSuspended() {
  return Queried().Suspended();
}
bool TakeAppTerminate() {
  return Queried().TakeTerminate();
}

void ClearKeys() {
  StartupPolledInputModule();
  PumpSystem();
  Input().state.ClearKeys();
}

void ClearMouse() {
  StartupPolledInputModule();
  PumpSystem();
  Input().state.ClearMouse();
}

int AwaitKey() {
  ClearKeys();
  for (;;) {
    AwaitSystem();
    for (int key = 1; key < PolledInputState::kKeyCount; ++key) {
      if (Input().state.TakeKeyHits(key)) return key;
    }
  }
}

int AwaitChar() {
  ClearKeys();
  for (;;) {
    AwaitSystem();
    if (const int character = Input().state.TakeChar()) return character;
  }
}

int AwaitMouse() {
  ClearMouse();
  for (;;) {
    AwaitSystem();
    for (int button = 1; button < PolledInputState::kButtonCount; ++button) {
      if (Input().state.TakeMouseHits(button)) return button;
    }
  }
}

bool PollOnQuery() {
  return Input().pollOnQuery;
}
void SetPollOnQuery(bool poll) {
  Input().pollOnQuery = poll;
}

void StartupPolledInputModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupSystemDriverModule();
  StartupEventModule();
  Input();
}

}  // namespace corvax
