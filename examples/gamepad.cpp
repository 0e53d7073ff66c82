// Gamepads: named buttons and sticks whatever the device, more mappings from a file in the
// common gamecontrollerdb.txt form, plugging and unplugging as events, rumble. With a number of
// seconds ("gamepad 20") it watches the pads that long; without one it looks once and ends.
#include <cstdio>
#include <string>

#include <corvax/corvax.h>
using namespace corvax;

constexpr int kTicksPerSecond = 10;
constexpr int kRumbleMs = 200;
constexpr float kRumbleLow = 0.6f;
constexpr float kRumbleHigh = 0.3f;
const char* const kButtonNames[GAMEPAD_BUTTON_COUNT] = {"A",
                                                        "B",
                                                        "X",
                                                        "Y",
                                                        "Back",
                                                        "Guide",
                                                        "Start",
                                                        "left stick",
                                                        "right stick",
                                                        "left shoulder",
                                                        "right shoulder",
                                                        "up",
                                                        "down",
                                                        "left",
                                                        "right",
                                                        "misc",
                                                        "paddle 1",
                                                        "paddle 2",
                                                        "paddle 3",
                                                        "paddle 4",
                                                        "touchpad"};

void Greet(int port) {
  std::printf("port %d: %s%s\n", port, ToUtf8(GamepadName(port)).c_str(),
              HasGamepadRumble(port) ? ", rumbles" : "");
  RumbleGamepad(port, kRumbleLow, kRumbleHigh, kRumbleMs);  // false without motors
}

void Main() {
  StartupCorvax();
  // SDL knows most pads already; a file adds or replaces mappings (-1 and a line saying why
  // when a line is malformed).
  std::printf("mappings added: %d\n", LoadGamepadMappings("gamepads.txt"));
  std::printf("gamepads attached: %d\n", GamepadCount());
  for (int port = 0; port < GAMEPAD_PORT_COUNT; ++port) {
    if (!GamepadName(port).empty()) Greet(port);
  }

  const int seconds = AppArgs().size() > 1 ? std::stoi(ToUtf8(AppArgs()[1])) : 0;
  Ref<TTimer> timer = StartTimer(kTicksPerSecond);
  for (int ticks = 0; ticks < seconds * kTicksPerSecond;) {
    const int id = AwaitEvent();
    if (id == EventId::TimerTick) {
      ++ticks;
    } else if (id == EventId::GamepadAdded) {
      Greet(ActiveEventData());
    } else if (id == EventId::GamepadRemoved) {
      std::printf("port %d: unplugged\n", ActiveEventData());
    } else if (id == EventId::GamepadButtonDown) {
      std::printf("port %d: %s\n", ActiveEventX(), kButtonNames[ActiveEventData()]);
    }
  }
  CancelTimer(timer);
  // Polled, as a game loop asks each frame: the left stick and the triggers.
  for (int port = 0; port < GAMEPAD_PORT_COUNT; ++port) {
    if (GamepadName(port).empty()) continue;
    std::printf("port %d: stick %.2f, %.2f, triggers %.2f, %.2f\n", port,
                GamepadAxis(port, GAMEPAD_LEFT_X), GamepadAxis(port, GAMEPAD_LEFT_Y),
                GamepadAxis(port, GAMEPAD_LEFT_TRIGGER), GamepadAxis(port, GAMEPAD_RIGHT_TRIGGER));
  }
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
