// Gamepads through SDL's virtual joysticks: plugged, pressed, moved and unplugged with no
// device and no display.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <SDL2/SDL.h>

#include <corvax/system/system_module.h>

#include "environment.h"
#include "event_recorder.h"
#include "temp_dir.h"

namespace corvax {
namespace {

using testing::EventRecorder;

constexpr int kAxes = 6;
constexpr int kButtons = 15;
constexpr Sint16 kAxisLeast = -32768;
constexpr Sint16 kAxisMost = 32767;

// On the desktop SDL maps a virtual pad in its own order: button N is GAMEPAD button N, axis N
// axis N. In a page SDL gives every pad it has no mapping of its own for the browser's standard
// layout, the Gamepad API's: the sticks are axes 0 to 3 as before, but the other buttons stand
// elsewhere and the triggers are buttons 6 and 7.
#if defined(__EMSCRIPTEN__)
constexpr bool kBrowserLayout = true;
#else
constexpr bool kBrowserLayout = false;
#endif
constexpr int kBrowserButtons[] = {0, 1, 2, 3, 8, 16, 9, 10, 11, 4, 5, 12, 13, 14, 15};
static_assert(std::size(kBrowserButtons) == GAMEPAD_DPAD_RIGHT + 1);
constexpr int kBrowserLeftTriggerButton = 6;

class Gamepads : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::UnsetEnvironment("DISPLAY");
    testing::UnsetEnvironment("WAYLAND_DISPLAY");
    StartupSystemModule();
    before_ = GamepadCount();
    recorder_ = std::make_unique<EventRecorder>();
  }
  void TearDown() override {
    Unplug();
    recorder_.reset();
  }

  // Plugs a pad in and returns the port it took (from its "GamepadAdded" event).
  int Plug(const SDL_VirtualJoystickDesc& desc) {
    device_ = SDL_JoystickAttachVirtualEx(&desc);
    EXPECT_GE(device_, 0) << SDL_GetError();
    joystick_ = SDL_JoystickOpen(device_);
    EXPECT_NE(joystick_, nullptr) << SDL_GetError();
    EXPECT_EQ(GamepadCount(), before_ + 1);
    const auto added = recorder_->Events(EventId::GamepadAdded);
    return added.empty() ? -1 : added.back()->data;
  }
  int Plug() { return Plug(Desc(SDL_JOYSTICK_TYPE_GAMECONTROLLER)); }
  void Unplug() {
    if (joystick_) SDL_JoystickClose(joystick_);
    if (device_ >= 0) SDL_JoystickDetachVirtual(device_);
    joystick_ = nullptr;
    device_ = -1;
    PumpSystem();
  }
  static SDL_VirtualJoystickDesc Desc(SDL_JoystickType type) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = type;
    desc.naxes = kAxes;
    desc.nbuttons = kButtons;
    desc.name = "Corvax Test Pad";
    return desc;
  }
  // The pad's own button or axis that stands for the gamepad's, set.
  void Press(int button, Uint8 state) {
    SDL_JoystickSetVirtualButton(joystick_, kBrowserLayout ? kBrowserButtons[button] : button,
                                 state);
  }
  void Move(int axis, Sint16 value) {
    if (kBrowserLayout && (axis == GAMEPAD_LEFT_TRIGGER || axis == GAMEPAD_RIGHT_TRIGGER)) {
      SDL_JoystickSetVirtualButton(joystick_,
                                   kBrowserLeftTriggerButton + axis - GAMEPAD_LEFT_TRIGGER,
                                   value > 0 ? SDL_PRESSED : SDL_RELEASED);
    } else {
      SDL_JoystickSetVirtualAxis(joystick_, axis, value);
    }
  }
  // What the gamepad events said, as "name data port position".
  std::vector<std::string> Said() {
    std::vector<std::string> said;
    for (const Ref<TEvent>& event : recorder_->Events()) {
      if ((event->id & 0xFF00) != 0x1000) continue;
      said.push_back(ToUtf8(EventName(event->id)) + " " + std::to_string(event->data) + " " +
                     std::to_string(event->x) + " " + std::to_string(event->y));
    }
    recorder_->Clear();
    return said;
  }

  int before_ = 0;
  int device_ = -1;
  SDL_Joystick* joystick_ = nullptr;
  std::unique_ptr<EventRecorder> recorder_;
};

using Lines = std::vector<std::string>;

TEST_F(Gamepads, PlugPressMoveUnplug) {
  const int port = Plug();
  ASSERT_GE(port, 0);
  const std::string at = " " + std::to_string(port) + " ";
  EXPECT_EQ(Said(), (Lines{"GamepadAdded " + std::to_string(port) + " 0 0"}));
  EXPECT_EQ(GamepadName(port), u"Corvax Test Pad");

  Press(GAMEPAD_B, SDL_PRESSED);
  EXPECT_TRUE(IsGamepadButtonDown(port, GAMEPAD_B));
  EXPECT_FALSE(IsGamepadButtonDown(port, GAMEPAD_A));
  EXPECT_EQ(GamepadButtonHitCount(port, GAMEPAD_B), 1);
  EXPECT_EQ(GamepadButtonHitCount(port, GAMEPAD_B), 0);
  Press(GAMEPAD_B, SDL_RELEASED);
  PumpSystem();
  Press(GAMEPAD_B, SDL_PRESSED);
  PumpSystem();
  Press(GAMEPAD_B, SDL_RELEASED);
  EXPECT_FALSE(IsGamepadButtonDown(port, GAMEPAD_B));
  EXPECT_EQ(GamepadButtonHitCount(port, GAMEPAD_B), 1) << "released and pressed once more";

  Move(GAMEPAD_LEFT_X, kAxisLeast);
  Move(GAMEPAD_RIGHT_Y, kAxisMost / 2);
  Move(GAMEPAD_LEFT_TRIGGER, kAxisMost);
  PumpSystem();
  EXPECT_FLOAT_EQ(GamepadAxis(port, GAMEPAD_LEFT_X), -1.0f);
  EXPECT_NEAR(GamepadAxis(port, GAMEPAD_RIGHT_Y), 0.5f, 0.001f);
  EXPECT_FLOAT_EQ(GamepadAxis(port, GAMEPAD_LEFT_TRIGGER), 1.0f);
  Move(GAMEPAD_LEFT_TRIGGER, kAxisLeast);
  EXPECT_FLOAT_EQ(GamepadAxis(port, GAMEPAD_LEFT_TRIGGER), 0.0f) << "a trigger at rest is 0";
  EXPECT_EQ(Said(), (Lines{"GamepadButtonDown 1" + at + "0", "GamepadButtonUp 1" + at + "0",
                           "GamepadButtonDown 1" + at + "0", "GamepadButtonUp 1" + at + "0",
                           "GamepadMove 0" + at + "-1000", "GamepadMove 3" + at + "500",
                           "GamepadMove 4" + at + "1000", "GamepadMove 4" + at + "0"}));

  Press(GAMEPAD_DPAD_LEFT, SDL_PRESSED);
  ClearGamepads();
  EXPECT_FALSE(IsGamepadButtonDown(port, GAMEPAD_DPAD_LEFT));
  EXPECT_EQ(GamepadButtonHitCount(port, GAMEPAD_DPAD_LEFT), 0);

  Said();
  Unplug();
  EXPECT_EQ(GamepadCount(), before_);
  EXPECT_EQ(GamepadName(port), u"");
  EXPECT_FALSE(IsGamepadButtonDown(port, GAMEPAD_B));
  // SDL lets go of what was held before the pad goes.
  EXPECT_EQ(Said(), (Lines{"GamepadMove 0" + at + "0", "GamepadMove 3" + at + "0",
                           "GamepadButtonUp 13" + at + "0",
                           "GamepadRemoved " + std::to_string(port) + " 0 0"}));
}

// Every port taken, one pad more gets none: it cannot be used, and the user is told why.
TEST_F(Gamepads, APadBeyondTheLastPortIsRefusedWithTheReason) {
  const SDL_VirtualJoystickDesc desc = Desc(SDL_JOYSTICK_TYPE_GAMECONTROLLER);
  std::vector<int> devices;
  for (int count = before_; count < GAMEPAD_PORT_COUNT; ++count) {
    devices.push_back(SDL_JoystickAttachVirtualEx(&desc));
  }
  ASSERT_EQ(GamepadCount(), GAMEPAD_PORT_COUNT);
  recorder_->Clear();
  ::testing::internal::CaptureStderr();
  devices.push_back(SDL_JoystickAttachVirtualEx(&desc));
  EXPECT_EQ(GamepadCount(), GAMEPAD_PORT_COUNT);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "corvax: cannot use the gamepad Corvax Test Pad: all 16 gamepad ports are taken\n");
  EXPECT_TRUE(recorder_->Events(EventId::GamepadAdded).empty());
  // Device indices close up as pads go, so the last goes first.
  for (auto device = devices.rbegin(); device != devices.rend(); ++device) {
    SDL_JoystickDetachVirtual(*device);
  }
  EXPECT_EQ(GamepadCount(), before_);
}

TEST_F(Gamepads, OutOfRangeAsksReportNothing) {
  const int port = Plug();
  ASSERT_GE(port, 0);
  for (int button : {-1, GAMEPAD_BUTTON_COUNT, 1000}) {
    EXPECT_FALSE(IsGamepadButtonDown(port, button));
    EXPECT_EQ(GamepadButtonHitCount(port, button), 0);
  }
  for (int axis : {-1, GAMEPAD_AXIS_COUNT}) EXPECT_EQ(GamepadAxis(port, axis), 0.0f);
  for (int other : {-1, 16, port + 1}) {
    EXPECT_EQ(GamepadName(other), u"");
    EXPECT_FALSE(IsGamepadButtonDown(other, GAMEPAD_A));
    EXPECT_FALSE(HasGamepadRumble(other));
    EXPECT_FALSE(RumbleGamepad(other, 1, 1, 10));
  }
}

Uint16 lowRumble = 0;
Uint16 highRumble = 0;
int RecordRumble(void*, Uint16 low, Uint16 high) {
  lowRumble = low;
  highRumble = high;
  return 0;
}

TEST_F(Gamepads, RumbleReachesTheMotorsWhereThereAreAny) {
  const int plain = Plug();
  ASSERT_GE(plain, 0);
  EXPECT_FALSE(HasGamepadRumble(plain));
  EXPECT_FALSE(RumbleGamepad(plain, 1, 1, 100));
  Unplug();

  SDL_VirtualJoystickDesc desc = Desc(SDL_JOYSTICK_TYPE_GAMECONTROLLER);
  desc.Rumble = &RecordRumble;
  const int port = Plug(desc);
  ASSERT_GE(port, 0);
  EXPECT_TRUE(HasGamepadRumble(port));
  EXPECT_TRUE(RumbleGamepad(port, 1.0f, 0.25f, 100));
  EXPECT_EQ(lowRumble, 65535);
  EXPECT_EQ(highRumble, 16384);
  EXPECT_TRUE(RumbleGamepad(port, 7.0f, -1.0f, 100)) << "intensities are held to 0..1";
  EXPECT_EQ(lowRumble, 65535);
  EXPECT_EQ(highRumble, 0);
}

std::string PadGuid(int device) {
  char text[33];
  SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(device), text, sizeof text);
  return text;
}

// The pad as a mapping database lists it: the GUID without the check value SDL puts in digits
// 4-7 of its own.
std::string DatabaseGuid(int device) {
  std::string guid = PadGuid(device);
  guid.replace(4, 4, "0000");
  return guid;
}

TEST_F(Gamepads, MappingsFromAFileMapPadsAttachedAndPadsToCome) {
  const int port = Plug();
  ASSERT_GE(port, 0);
  const std::string guid = DatabaseGuid(device_);
  testing::TempDir folder;
  const std::string path = folder / "gamecontrollerdb.txt";
  std::ofstream(path) << "# our own pad, its face buttons swapped\n"
                      << guid << ",Corvax Swapped Pad,a:b1,b:b0,leftx:a1,"
                      << "platform:" << SDL_GetPlatform() << ",\n"
                      << guid << ",Elsewhere,a:b5,platform:Nowhere,\n";
  EXPECT_EQ(LoadGamepadMappings(FromUtf8(path)), 1);
  EXPECT_EQ(GamepadName(port), u"Corvax Swapped Pad");
  SDL_JoystickSetVirtualButton(joystick_, 1, SDL_PRESSED);
  SDL_JoystickSetVirtualAxis(joystick_, 1, kAxisMost);
  EXPECT_TRUE(IsGamepadButtonDown(port, GAMEPAD_A));
  EXPECT_FALSE(IsGamepadButtonDown(port, GAMEPAD_B));
  EXPECT_FLOAT_EQ(GamepadAxis(port, GAMEPAD_LEFT_X), 1.0f);
  Unplug();

  EXPECT_TRUE(AddGamepadMapping(FromUtf8(guid + ",Corvax Pad Again,a:b2,")));
  const int again = Plug();
  EXPECT_EQ(GamepadName(again), u"Corvax Pad Again");
  SDL_JoystickSetVirtualButton(joystick_, 2, SDL_PRESSED);
  EXPECT_TRUE(IsGamepadButtonDown(again, GAMEPAD_A));
}

TEST_F(Gamepads, MalformedMappingsAddNothingAndSayWhy) {
  testing::TempDir folder;
  const std::string path = folder / "bad.txt";
  std::ofstream(path) << "# fine, then not\n"
                      << "0300000000c0000001000000000a0000,Fine,a:b0\n"
                      << "0300000000c0000001000000000a0001,Broken,a:b0,leftx:a\n";
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(LoadGamepadMappings(FromUtf8(path)), -1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "corvax: cannot load gamepad mappings from " + path +
                ": line 3: \"leftx\" has the binding \"a\": a binding is b<N>, a<N> (with an "
                "optional + or - before and ~ after) or h<N>.<1, 2, 4 or 8>\n");
  char guidText[] = "0300000000c0000001000000000a0000";
  char* mapping = SDL_GameControllerMappingForGUID(SDL_JoystickGetGUIDFromString(guidText));
  EXPECT_EQ(mapping, nullptr) << "the good line before was not added either";
  SDL_free(mapping);

  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(AddGamepadMapping(u"not a mapping"));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "corvax: cannot add the gamepad mapping: the GUID \"not a mapping\" is not 32 "
            "hexadecimal digits\n");

  ::testing::internal::CaptureStderr();
  EXPECT_EQ(LoadGamepadMappings(FromUtf8(folder / "missing.txt")), -1);
  const std::string missing = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(missing.rfind(
                "corvax: cannot load gamepad mappings from " + (folder / "missing.txt") + ": ", 0),
            0u)
      << missing;
}

}  // namespace
}  // namespace corvax
