#pragma once
// What polled joystick and gamepad input keeps: up to 16 devices at fixed ports, each with its
// buttons (held, and presses not yet asked for; 16 on a joystick), 6 axes and one hat.
#include <array>
#include <cstdint>

#include <corvax/runtime/runtime_module.h>

namespace corvax {

class JoystickState {
 public:
  static constexpr int kPorts = 16;
  static constexpr int kButtons = 16;
  static constexpr int kMaxButtons = 32;
  static constexpr int kAxes = 6;

  // buttons: how many each device keeps, up to kMaxButtons.
  explicit JoystickState(int buttons = kButtons) : buttons_(buttons) {}

  // The lowest free port for a newly attached joystick, or -1 when all are taken.
  int Attach(std::int32_t instanceId, const String& name);
  void Detach(std::int32_t instanceId);
  void Rename(std::int32_t instanceId, const String& name);
  bool IsAttached(std::int32_t instanceId) const { return PortOf(instanceId) >= 0; }

  // Events of unknown joysticks and of buttons, axes or hats beyond the ones kept are ignored.
  void Button(std::int32_t instanceId, int button, bool pressed);
  // value: SDL's -32768..32767.
  void Axis(std::int32_t instanceId, int axis, int value);
  // hatBits: SDL_HAT_* bits.
  void Hat(std::int32_t instanceId, int hatBits);

  int Count() const;
  // Empty for a port without a joystick.
  String Name(int port) const;
  bool ButtonDown(int port, int button) const;
  // Presses counted from up to down since the last call.
  int TakeButtonHits(int port, int button);
  // -1..1; 0 for a port without a joystick.
  float AxisValue(int port, int axis) const;
  // Degrees clockwise from up in steps of 45, or -1 when centred.
  int HatAngle(int port) const;
  // Forgets held buttons and counted presses.
  void Clear();
  // Forgets the port's held buttons.
  void ClearHeld(int port);
  // Forgets the port's counted presses: buttons held when a device arrives are not presses.
  void ClearHits(int port);

  // The port of an attached device, or -1.
  int PortOf(std::int32_t instanceId) const;
  int Buttons() const { return buttons_; }

 private:
  struct Port {
    bool attached = false;
    std::int32_t instanceId = -1;
    String name;
    std::array<bool, kMaxButtons> down{};
    std::array<int, kMaxButtons> hits{};
    std::array<float, kAxes> axes{};
    int hat = -1;
  };
  bool InButtons(int button) const { return button >= 0 && button < buttons_; }
  const Port* Attached(int port) const;
  int buttons_;
  std::array<Port, kPorts> ports_;
};

}  // namespace corvax
