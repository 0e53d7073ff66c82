#include <corvax/system/joystick.h>

#include <SDL2/SDL.h>

#include <corvax/runtime/immortal.h>
#include <corvax/system/backend/sdl_support.h>
#include <corvax/system/polled_input.h>
#include <corvax/system/run_recording.h>
#include <corvax/system/system_driver.h>

#include "joystick_state.h"

namespace corvax {
namespace {

struct Joysticks {
  JoystickState state;
  std::array<SDL_Joystick*, JoystickState::kPorts> devices{};
};

Joysticks& All() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const joysticks = &MakeImmortal<Joysticks>();
  return *joysticks;
}

void Open(int deviceIndex) {
  auto& all = All();
  SDL_Joystick* device = SDL_JoystickOpen(deviceIndex);
  if (!device) return;
  const SDL_JoystickID id = SDL_JoystickInstanceID(device);
  if (all.state.IsAttached(id)) {
    SDL_JoystickClose(device);  // opening again only counted one more reference
    return;
  }
  const char* name = SDL_JoystickName(device);
  const int port = all.state.Attach(id, FromUtf8(name ? name : ""));
  if (port < 0) {
    SDL_JoystickClose(device);
    return;
  }
  all.devices[port] = device;
  const int buttons = std::min(SDL_JoystickNumButtons(device), JoystickState::kButtons);
  for (int button = 0; button < buttons; ++button) {
    if (SDL_JoystickGetButton(device, button)) all.state.Button(id, button, true);
  }
  const int axes = std::min(SDL_JoystickNumAxes(device), JoystickState::kAxes);
  for (int axis = 0; axis < axes; ++axis) {
    all.state.Axis(id, axis, SDL_JoystickGetAxis(device, axis));
  }
  if (SDL_JoystickNumHats(device) > 0) all.state.Hat(id, SDL_JoystickGetHat(device, 0));
  all.state.ClearHits(port);
}

void Close(SDL_JoystickID id) {
  auto& all = All();
  for (SDL_Joystick*& device : all.devices) {
    if (device && SDL_JoystickInstanceID(device) == id) {
      SDL_JoystickClose(device);
      device = nullptr;
    }
  }
  all.state.Detach(id);
}

bool JoystickWatcher(const SDL_Event& event) {
  JoystickState& state = All().state;
  // A replay holds no joystick input, and live input must not slip into it.
  const bool live = !IsReplayingRun();
  switch (event.type) {
    case SDL_JOYDEVICEADDED:
      Open(event.jdevice.which);
      return true;
    case SDL_JOYDEVICEREMOVED:
      Close(event.jdevice.which);
      return true;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      if (live) {
        state.Button(event.jbutton.which, event.jbutton.button, event.jbutton.state == SDL_PRESSED);
      }
      return true;
    case SDL_JOYAXISMOTION:
      if (live) state.Axis(event.jaxis.which, event.jaxis.axis, event.jaxis.value);
      return true;
    case SDL_JOYHATMOTION:
      if (live && event.jhat.hat == 0) state.Hat(event.jhat.which, event.jhat.value);
      return true;
  }
  return false;
}

// Joysticks start on first use: SDL then announces the ones present as new devices.
JoystickState& Queried() {
  static const bool started = [] {
    StartupPolledInputModule();
    // Polled input answers whichever window has the focus, as the joystick API it replaces.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (!InitSdlSubsystem(SDL_INIT_JOYSTICK)) return false;
    AddSdlEventWatcher(&JoystickWatcher);
    PumpSystem();
    return true;
  }();
  if (started && PollOnQuery()) PumpSystem();
  return All().state;
}

}  // namespace

int JoystickCount() {
  return Queried().Count();
}
String JoystickName(int port) {
  return Queried().Name(port);
}
bool IsJoystickButtonDown(int port, int button) {
  return Queried().ButtonDown(port, button);
}
int JoystickButtonHitCount(int port, int button) {
  return Queried().TakeButtonHits(port, button);
}
float JoystickAxis(int port, int axis) {
  return Queried().AxisValue(port, axis);
}
int JoystickHat(int port) {
  return Queried().HatAngle(port);
}
void ClearJoysticks() {
  Queried().Clear();
}

}  // namespace corvax
