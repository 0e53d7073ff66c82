// Joysticks through SDL's virtual joystick: no device and no display needed.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <corvax/system/system_module.h>

namespace corvax {
namespace {

TEST(Joysticks, AVirtualJoystickIsPolledLikeARealOne) {
  StartupSystemModule();
  const int before = JoystickCount();
  const int device = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 4, 1);
  ASSERT_GE(device, 0) << SDL_GetError();
  ASSERT_EQ(JoystickCount(), before + 1);
  const int port = before;
  EXPECT_FALSE(JoystickName(port).empty());
  SDL_Joystick* joystick = SDL_JoystickOpen(device);
  ASSERT_NE(joystick, nullptr);

  SDL_JoystickSetVirtualButton(joystick, 2, SDL_PRESSED);
  SDL_JoystickSetVirtualAxis(joystick, 0, -32768);
  SDL_JoystickSetVirtualAxis(joystick, 1, 16384);
  SDL_JoystickSetVirtualHat(joystick, 0, SDL_HAT_RIGHT);
  EXPECT_TRUE(IsJoystickButtonDown(port, 2));
  EXPECT_EQ(JoystickButtonHitCount(port, 2), 1);
  EXPECT_EQ(JoystickButtonHitCount(port, 2), 0);
  EXPECT_FLOAT_EQ(JoystickAxis(port, 0), -1.0f);
  EXPECT_NEAR(JoystickAxis(port, 1), 0.5f, 0.001f);
  EXPECT_EQ(JoystickHat(port), 90);

  SDL_JoystickSetVirtualButton(joystick, 2, SDL_RELEASED);
  EXPECT_FALSE(IsJoystickButtonDown(port, 2));
  SDL_JoystickSetVirtualButton(joystick, 2, SDL_PRESSED);
  PumpSystem();
  SDL_JoystickSetVirtualButton(joystick, 2, SDL_RELEASED);
  PumpSystem();
  SDL_JoystickSetVirtualButton(joystick, 2, SDL_PRESSED);
  EXPECT_EQ(JoystickButtonHitCount(port, 2), 2);
  ClearJoysticks();
  EXPECT_FALSE(IsJoystickButtonDown(port, 2));
  EXPECT_FALSE(IsJoystickButtonDown(port, 99));
  EXPECT_EQ(JoystickHat(port + 1), -1);

  SDL_JoystickClose(joystick);
  SDL_JoystickDetachVirtual(device);
  EXPECT_EQ(JoystickCount(), before);
  EXPECT_EQ(JoystickName(port), u"");
}

}  // namespace
}  // namespace corvax
