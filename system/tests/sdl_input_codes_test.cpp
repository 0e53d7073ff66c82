#include <gtest/gtest.h>

#include <SDL2/SDL_keycode.h>
#include <SDL2/SDL_mouse.h>

#include <corvax/system/event.h>
#include <corvax/system/key_codes.h>

#include "sdl/sdl_input_codes.h"

namespace corvax {
namespace {

int Key(SDL_Scancode scancode, SDL_Keycode keycode = SDLK_UNKNOWN, int mods = KMOD_NUM) {
  return VirtualKeyFromSdl(scancode, keycode, mods);
}

TEST(VirtualKeys, ModifiersAreAlwaysLeftOrRight) {
  EXPECT_EQ(Key(SDL_SCANCODE_LSHIFT, SDLK_LSHIFT), 160);
  EXPECT_EQ(Key(SDL_SCANCODE_RSHIFT, SDLK_RSHIFT), 161);
  EXPECT_EQ(Key(SDL_SCANCODE_LCTRL, SDLK_LCTRL), 162);
  EXPECT_EQ(Key(SDL_SCANCODE_RCTRL, SDLK_RCTRL), 163);
  EXPECT_EQ(Key(SDL_SCANCODE_LALT, SDLK_LALT), 164);
  EXPECT_EQ(Key(SDL_SCANCODE_RALT, SDLK_RALT), 165);
  EXPECT_EQ(Key(SDL_SCANCODE_LGUI, SDLK_LGUI), 91);
  EXPECT_EQ(Key(SDL_SCANCODE_RGUI, SDLK_RGUI), 92);
  for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
    const int code = VirtualKeyFromSdl(scancode, SDLK_UNKNOWN, 0);
    EXPECT_TRUE(code != 16 && code != 17 && code != 18) << scancode;
    EXPECT_TRUE(code >= 0 && code <= 255) << scancode;
  }
}

TEST(VirtualKeys, LettersFollowTheLayoutOtherKeysTheirPlace) {
  EXPECT_EQ(Key(SDL_SCANCODE_A, SDLK_a), 'A');
  EXPECT_EQ(Key(SDL_SCANCODE_Q, SDLK_a), 'A');  // an AZERTY keyboard's A
  EXPECT_EQ(Key(SDL_SCANCODE_SEMICOLON, SDLK_m), 'M');
  EXPECT_EQ(Key(SDL_SCANCODE_A, 0x444), 'A');  // a Cyrillic layout keeps the place
  EXPECT_EQ(Key(SDL_SCANCODE_1, '&'), '1');
  EXPECT_EQ(Key(SDL_SCANCODE_0, SDLK_0), '0');
  EXPECT_EQ(Key(SDL_SCANCODE_ESCAPE, SDLK_ESCAPE), KEY_ESCAPE);
  EXPECT_EQ(Key(SDL_SCANCODE_F1), 112);
  EXPECT_EQ(Key(SDL_SCANCODE_F13), 124);
  EXPECT_EQ(Key(SDL_SCANCODE_F24), 135);
  EXPECT_EQ(Key(SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON), 186);
  EXPECT_EQ(Key(SDL_SCANCODE_UNKNOWN), 0);
}

// What the scancode table holds: 145 places with a key, several sharing one, and nothing for a
// scancode outside SDL's range (a hostile or newer SDL's event).
TEST(VirtualKeys, ScancodeTableCoversEveryKnownPlace) {
  constexpr int kPlacesWithAKey = 145;
  int mapped = 0;
  for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
    if (Key(static_cast<SDL_Scancode>(scancode)) != 0) ++mapped;
  }
  EXPECT_EQ(mapped, kPlacesWithAKey);

  EXPECT_EQ(Key(SDL_SCANCODE_Z), KEY_Z);
  EXPECT_EQ(Key(SDL_SCANCODE_9), KEY_9);
  EXPECT_EQ(Key(SDL_SCANCODE_F12), KEY_F1 + 11);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_1), KEY_NUM1);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_9), KEY_NUM9);
  EXPECT_EQ(Key(SDL_SCANCODE_RETURN), KEY_ENTER);
  EXPECT_EQ(Key(SDL_SCANCODE_RETURN2), KEY_ENTER);
  EXPECT_EQ(Key(SDL_SCANCODE_NONUSHASH), KEY_BACKSLASH);
  EXPECT_EQ(Key(SDL_SCANCODE_NONUSBACKSLASH), KEY_EXTRA_BACKSLASH);
  EXPECT_EQ(Key(SDL_SCANCODE_MENU), KEY_APPS);
  EXPECT_EQ(Key(SDL_SCANCODE_APPLICATION), KEY_APPS);
  EXPECT_EQ(Key(SDL_SCANCODE_EXECUTE), KEY_EXECUTE_KEY);
  EXPECT_EQ(Key(SDL_SCANCODE_AUDIOMUTE), KEY_VOLUME_MUTE);
  EXPECT_EQ(Key(SDL_SCANCODE_AC_HOME), KEY_BROWSER_HOME);

  EXPECT_EQ(VirtualKeyFromSdl(-1, SDLK_UNKNOWN, KMOD_NUM), 0);
  EXPECT_EQ(VirtualKeyFromSdl(SDL_NUM_SCANCODES, SDLK_UNKNOWN, KMOD_NUM), 0);
  EXPECT_EQ(VirtualKeyFromSdl(1 << 30, SDLK_UNKNOWN, 0), 0);
}

TEST(VirtualKeys, KeypadDependsOnNumLock) {
  EXPECT_EQ(Key(SDL_SCANCODE_KP_7, SDLK_KP_7, KMOD_NUM), KEY_NUM7);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_0, SDLK_KP_0, KMOD_NUM), KEY_NUM0);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, KMOD_NUM), KEY_NUMDECIMAL);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_7, SDLK_KP_7, KMOD_NONE), KEY_HOME);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_5, SDLK_KP_5, KMOD_NONE), KEY_CLEAR);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, KMOD_NONE), KEY_DELETE);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, KMOD_NONE), KEY_ENTER);
  EXPECT_EQ(Key(SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, KMOD_NONE), KEY_NUMADD);
}

TEST(InputCodes, ControlCharactersModifiersAndButtons) {
  EXPECT_EQ(ControlCharacterForKey(KEY_BACKSPACE), 8);
  EXPECT_EQ(ControlCharacterForKey(KEY_TAB), 9);
  EXPECT_EQ(ControlCharacterForKey(KEY_ENTER), 13);
  EXPECT_EQ(ControlCharacterForKey(KEY_ESCAPE), 27);
  EXPECT_EQ(ControlCharacterForKey(KEY_A), 0);
  EXPECT_EQ(ControlCharacterForKey(KEY_DELETE), 0);

  EXPECT_EQ(ModifierBitsFromSdl(KMOD_LSHIFT), 1);
  EXPECT_EQ(ModifierBitsFromSdl(KMOD_RCTRL), 2);
  EXPECT_EQ(ModifierBitsFromSdl(KMOD_LALT | KMOD_RGUI), 12);
  EXPECT_EQ(ModifierBitsFromSdl(KMOD_NUM | KMOD_CAPS), 0);

  EXPECT_EQ(MouseButtonFromSdl(SDL_BUTTON_LEFT), 1);
  EXPECT_EQ(MouseButtonFromSdl(SDL_BUTTON_RIGHT), 2);
  EXPECT_EQ(MouseButtonFromSdl(SDL_BUTTON_MIDDLE), 3);
  EXPECT_EQ(MouseButtonFromSdl(SDL_BUTTON_X1), 0);

  EXPECT_EQ(HeldButtonDataFromSdl(0), 0);
  EXPECT_EQ(HeldButtonDataFromSdl(SDL_BUTTON_LMASK), 1);
  EXPECT_EQ(HeldButtonDataFromSdl(SDL_BUTTON_LMASK | SDL_BUTTON_MMASK), 4);
  EXPECT_EQ(HeldButtonDataFromSdl(SDL_BUTTON_LMASK | SDL_BUTTON_RMASK | SDL_BUTTON_MMASK), 2);
}

}  // namespace
}  // namespace corvax
