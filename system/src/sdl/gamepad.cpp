#include <corvax/system/gamepad.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>
#include <string>
#include <string_view>

#include <SDL2/SDL.h>

#include <corvax/runtime/immortal.h>
#include <corvax/stream/open_url.h>
#include <corvax/system/backend/sdl_support.h>
#include <corvax/system/event.h>
#include <corvax/system/polled_input.h>
#include <corvax/system/system_driver.h>

#include "desktop_failure.h"
#include "gamepad_mappings.h"
#include "joystick_state.h"

namespace corvax {

// The names are SDL's numbers, so its buttons and axes pass through unchanged.
static_assert(GAMEPAD_PORT_COUNT == JoystickState::kPorts);
static_assert(GAMEPAD_A == SDL_CONTROLLER_BUTTON_A);
static_assert(GAMEPAD_DPAD_RIGHT == SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
static_assert(GAMEPAD_MISC == SDL_CONTROLLER_BUTTON_MISC1);
static_assert(GAMEPAD_TOUCHPAD == SDL_CONTROLLER_BUTTON_TOUCHPAD);
static_assert(GAMEPAD_BUTTON_COUNT == SDL_CONTROLLER_BUTTON_MAX);
static_assert(GAMEPAD_BUTTON_COUNT <= JoystickState::kMaxButtons);
static_assert(GAMEPAD_LEFT_X == SDL_CONTROLLER_AXIS_LEFTX);
static_assert(GAMEPAD_RIGHT_TRIGGER == SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
static_assert(GAMEPAD_AXIS_COUNT == SDL_CONTROLLER_AXIS_MAX);
static_assert(GAMEPAD_AXIS_COUNT <= JoystickState::kAxes);

namespace {

constexpr float kFullRumble = std::numeric_limits<Uint16>::max();
// What SDL calls the layout it gives, in a page, every pad it has no mapping of its own for:
// the browser's standard one.
constexpr std::string_view kStandardLayoutName = "Standard Gamepad";

struct Gamepads {
  JoystickState state{GAMEPAD_BUTTON_COUNT};
  std::array<SDL_GameController*, JoystickState::kPorts> devices{};
};

Gamepads& All() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const gamepads = &MakeImmortal<Gamepads>();
  return *gamepads;
}

void Emit(EventId id, int data, int port = 0, int position = 0) {
  BroadcastEvent(MakeEvent(id, nullptr, data, 0, port, position));
}

int PortOf(SDL_JoystickID id) {
  return All().state.PortOf(id);
}

// The mapping's name; a pad that only has the browser's standard layout (in a page, every pad
// without a mapping of its own) keeps the name the device gave.
String NameOf(SDL_GameController* device) {
  const char* name = SDL_GameControllerName(device);
  if (name && name == kStandardLayoutName) {
    SDL_Joystick* joystick = SDL_GameControllerGetJoystick(device);
    char* own = SDL_GameControllerMappingForGUID(SDL_JoystickGetGUID(joystick));
    if (!own) name = SDL_JoystickName(joystick);
    SDL_free(own);
  }
  return FromUtf8(name ? name : "");
}

// What the gamepad holds now, under its mapping; held buttons are not presses.
void ReadState(int port, SDL_GameController* device, SDL_JoystickID id) {
  auto& all = All();
  all.state.ClearHeld(port);
  for (int button = 0; button < GAMEPAD_BUTTON_COUNT; ++button) {
    const auto which = static_cast<SDL_GameControllerButton>(button);
    if (SDL_GameControllerGetButton(device, which)) all.state.Button(id, button, true);
  }
  for (int axis = 0; axis < GAMEPAD_AXIS_COUNT; ++axis) {
    const auto which = static_cast<SDL_GameControllerAxis>(axis);
    all.state.Axis(id, axis, SDL_GameControllerGetAxis(device, which));
  }
  all.state.ClearHits(port);
  all.state.Rename(id, NameOf(device));
}

void Open(int deviceIndex) {
  auto& all = All();
  SDL_GameController* device = SDL_GameControllerOpen(deviceIndex);
  if (!device) {
    ReportDesktopFailure("open a gamepad", SDL_GetError());
    return;
  }
  const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(device));
  if (all.state.IsAttached(id)) {
    SDL_GameControllerClose(device);  // a mapping added later announces it again
    return;
  }
  const int port = all.state.Attach(id, u"");
  if (port < 0) {
    const String name = NameOf(device);
    ReportDesktopFailure(
        "use the gamepad " + (name.empty() ? std::string("without a name") : ToUtf8(name)),
        "all " + std::to_string(JoystickState::kPorts) + " gamepad ports are taken");
    SDL_GameControllerClose(device);
    return;
  }
  all.devices[port] = device;
  ReadState(port, device, id);
  Emit(EventId::GamepadAdded, port);
}

// SDL keeps the mapping a gamepad was opened with, so the attached ones open again under the
// mappings just added; they keep their ports.
void ReopenAttached() {
  auto& all = All();
  for (int index = 0; index < SDL_NumJoysticks(); ++index) {
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
    const int port = PortOf(id);
    if (port < 0) continue;
    SDL_GameControllerClose(all.devices[port]);
    all.devices[port] = SDL_GameControllerOpen(index);
    if (all.devices[port]) {
      ReadState(port, all.devices[port], id);
    } else {
      all.state.Detach(id);
      Emit(EventId::GamepadRemoved, port);
    }
  }
}

void Close(SDL_JoystickID id) {
  auto& all = All();
  const int port = PortOf(id);
  if (port < 0) return;
  SDL_GameControllerClose(all.devices[port]);
  all.devices[port] = nullptr;
  all.state.Detach(id);
  Emit(EventId::GamepadRemoved, port);
}

bool GamepadWatcher(const SDL_Event& event) {
  JoystickState& state = All().state;
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Open(event.cdevice.which);
      return true;
    case SDL_CONTROLLERDEVICEREMOVED:
      Close(event.cdevice.which);
      return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      const bool pressed = event.cbutton.state == SDL_PRESSED;
      const int port = PortOf(event.cbutton.which);
      state.Button(event.cbutton.which, event.cbutton.button, pressed);
      if (port >= 0 && event.cbutton.button < GAMEPAD_BUTTON_COUNT) {
        Emit(pressed ? EventId::GamepadButtonDown : EventId::GamepadButtonUp, event.cbutton.button,
             port);
      }
      return true;
    }
    case SDL_CONTROLLERAXISMOTION: {
      const int port = PortOf(event.caxis.which);
      state.Axis(event.caxis.which, event.caxis.axis, event.caxis.value);
      if (port >= 0 && event.caxis.axis < GAMEPAD_AXIS_COUNT) {
        const float position = state.AxisValue(port, event.caxis.axis);
        Emit(EventId::GamepadMove, event.caxis.axis, port,
             static_cast<int>(std::lround(position * GAMEPAD_MOVE_SCALE)));
      }
      return true;
    }
    case SDL_CONTROLLERDEVICEREMAPPED:
      if (const int port = PortOf(event.cdevice.which); port >= 0) {
        ReadState(port, All().devices[port], event.cdevice.which);
      }
      return true;
  }
  return false;
}

bool Started() {
  static const bool started = [] {
    StartupPolledInputModule();
    // Polled input answers whichever window has the focus, as joysticks do.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (!InitSdlSubsystem(SDL_INIT_GAMECONTROLLER)) return false;
    AddSdlEventWatcher(&GamepadWatcher);
    PumpSystem();  // SDL announces the gamepads present as new devices
    return true;
  }();
  return started;
}

// Gamepads start on first use.
JoystickState& Queried() {
  if (Started() && PollOnQuery()) PumpSystem();
  return All().state;
}

SDL_GameController* Device(int port) {
  Queried();
  if (port < 0 || port >= JoystickState::kPorts) return nullptr;
  return All().devices[port];
}

bool AddChecked(const std::string& mapping, const std::string& what) {
  if (SDL_GameControllerAddMapping(mapping.c_str()) >= 0) return true;
  ReportDesktopFailure(what, SDL_GetError());
  return false;
}

}  // namespace

int GamepadCount() {
  return Queried().Count();
}
String GamepadName(int port) {
  return Queried().Name(port);
}
bool IsGamepadButtonDown(int port, int button) {
  return Queried().ButtonDown(port, button);
}
int GamepadButtonHitCount(int port, int button) {
  return Queried().TakeButtonHits(port, button);
}
float GamepadAxis(int port, int axis) {
  return Queried().AxisValue(port, axis);
}
void ClearGamepads() {
  Queried().Clear();
}

bool HasGamepadRumble(int port) {
  SDL_GameController* device = Device(port);
  return device && SDL_GameControllerHasRumble(device);
}

bool RumbleGamepad(int port, float low, float high, int milliseconds) {
  SDL_GameController* device = Device(port);
  if (!device || !SDL_GameControllerHasRumble(device)) return false;
  const auto strength = [](float intensity) {
    return static_cast<Uint16>(std::lround(std::clamp(intensity, 0.0f, 1.0f) * kFullRumble));
  };
  return SDL_GameControllerRumble(device, strength(low), strength(high),
                                  static_cast<Uint32>(std::max(milliseconds, 0))) == 0;
}

bool AddGamepadMapping(const String& mapping) {
  const std::string what = "add the gamepad mapping";
  if (!Started()) {
    ReportDesktopFailure(what, SDL_GetError());
    return false;
  }
  const std::string line = ToUtf8(mapping);
  if (std::string why = CheckGamepadMapping(line); !why.empty()) {
    ReportDesktopFailure(what, why);
    return false;
  }
  if (!AddChecked(line, what)) return false;
  ReopenAttached();
  return true;
}

int LoadGamepadMappings(const Url& url) {
  const String name = UnboxString(url.AsObject());
  const std::string what =
      "load gamepad mappings" + (name.empty() ? std::string() : " from " + ToUtf8(name));
  if (!Started()) {
    ReportDesktopFailure(what, SDL_GetError());
    return -1;
  }
  std::vector<std::uint8_t> bytes;
  try {
    bytes = LoadBytes(url);
  } catch (const std::exception& error) {
    ReportDesktopFailure(what, error.what());
    return -1;
  }
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const GamepadMappingFile file = ReadGamepadMappings(text, SDL_GetPlatform());
  if (!file.error.empty()) {
    ReportDesktopFailure(what, file.error);
    return -1;
  }
  int added = 0;
  for (const std::string& mapping : file.mappings) {
    if (!AddChecked(mapping, what)) return -1;
    ++added;
  }
  ReopenAttached();
  return added;
}

}  // namespace corvax
