#include "joystick_state.h"

#include <algorithm>
#include <utility>

#include <SDL2/SDL_joystick.h>

namespace corvax {
namespace {

int AngleOfHat(int bits) {
  switch (bits) {
    case SDL_HAT_UP:
      return 0;
    case SDL_HAT_RIGHTUP:
      return 45;
    case SDL_HAT_RIGHT:
      return 90;
    case SDL_HAT_RIGHTDOWN:
      return 135;
    case SDL_HAT_DOWN:
      return 180;
    case SDL_HAT_LEFTDOWN:
      return 225;
    case SDL_HAT_LEFT:
      return 270;
    case SDL_HAT_LEFTUP:
      return 315;
  }
  return -1;
}

}  // namespace

int JoystickState::Attach(std::int32_t instanceId, const String& name) {
  for (int port = 0; port < kPorts; ++port) {
    if (ports_[port].attached) continue;
    ports_[port] = Port{};
    ports_[port].attached = true;
    ports_[port].instanceId = instanceId;
    ports_[port].name = name;
    return port;
  }
  return -1;
}

void JoystickState::Detach(std::int32_t instanceId) {
  const int port = PortOf(instanceId);
  if (port >= 0) ports_[port] = Port{};
}

void JoystickState::Rename(std::int32_t instanceId, const String& name) {
  const int port = PortOf(instanceId);
  if (port >= 0) ports_[port].name = name;
}

void JoystickState::Button(std::int32_t instanceId, int button, bool pressed) {
  const int port = PortOf(instanceId);
  if (port < 0 || !InButtons(button)) return;
  Port& joystick = ports_[port];
  if (pressed && !joystick.down[button]) ++joystick.hits[button];
  joystick.down[button] = pressed;
}

void JoystickState::Axis(std::int32_t instanceId, int axis, int value) {
  const int port = PortOf(instanceId);
  if (port < 0 || axis < 0 || axis >= kAxes) return;
  ports_[port].axes[axis] = std::clamp(static_cast<float>(value) / 32767.0f, -1.0f, 1.0f);
}

void JoystickState::Hat(std::int32_t instanceId, int hatBits) {
  const int port = PortOf(instanceId);
  if (port >= 0) ports_[port].hat = AngleOfHat(hatBits);
}

int JoystickState::Count() const {
  return static_cast<int>(
      std::count_if(ports_.begin(), ports_.end(), [](const Port& port) { return port.attached; }));
}

String JoystickState::Name(int port) const {
  const Port* joystick = Attached(port);
  return joystick ? joystick->name : String();
}

bool JoystickState::ButtonDown(int port, int button) const {
  const Port* joystick = Attached(port);
  return joystick && InButtons(button) && joystick->down[button];
}

int JoystickState::TakeButtonHits(int port, int button) {
  if (!Attached(port) || !InButtons(button)) return 0;
  return std::exchange(ports_[port].hits[button], 0);
}

float JoystickState::AxisValue(int port, int axis) const {
  const Port* joystick = Attached(port);
  return joystick && axis >= 0 && axis < kAxes ? joystick->axes[axis] : 0.0f;
}

int JoystickState::HatAngle(int port) const {
  const Port* joystick = Attached(port);
  return joystick ? joystick->hat : -1;
}

void JoystickState::Clear() {
  for (Port& port : ports_) {
    port.down.fill(0);
    port.hits.fill(0);
  }
}

void JoystickState::ClearHeld(int port) {
  if (Attached(port)) ports_[port].down.fill(false);
}

void JoystickState::ClearHits(int port) {
  if (Attached(port)) ports_[port].hits.fill(0);
}

int JoystickState::PortOf(std::int32_t instanceId) const {
  for (int port = 0; port < kPorts; ++port) {
    if (ports_[port].attached && ports_[port].instanceId == instanceId) return port;
  }
  return -1;
}

const JoystickState::Port* JoystickState::Attached(int port) const {
  if (port < 0 || port >= kPorts || !ports_[port].attached) return nullptr;
  return &ports_[port];
}

}  // namespace corvax
