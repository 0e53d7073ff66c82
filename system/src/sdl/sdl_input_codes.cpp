#include "sdl_input_codes.h"

#include <array>
#include <cstdint>

#include <SDL2/SDL_keycode.h>
#include <SDL2/SDL_mouse.h>
#include <SDL2/SDL_scancode.h>

#include <corvax/system/event.h>
#include <corvax/system/key_codes.h>

namespace corvax {
namespace {

int KeypadWithoutNumLock(int scancode) {
  switch (scancode) {
    case SDL_SCANCODE_KP_0:
      return KEY_INSERT;
    case SDL_SCANCODE_KP_1:
      return KEY_END;
    case SDL_SCANCODE_KP_2:
      return KEY_DOWN;
    case SDL_SCANCODE_KP_3:
      return KEY_PAGEDOWN;
    case SDL_SCANCODE_KP_4:
      return KEY_LEFT;
    case SDL_SCANCODE_KP_5:
      return KEY_CLEAR;
    case SDL_SCANCODE_KP_6:
      return KEY_RIGHT;
    case SDL_SCANCODE_KP_7:
      return KEY_HOME;
    case SDL_SCANCODE_KP_8:
      return KEY_UP;
    case SDL_SCANCODE_KP_9:
      return KEY_PAGEUP;
    case SDL_SCANCODE_KP_PERIOD:
      return KEY_DELETE;
  }
  return 0;
}

// Keys whose scancodes and codes both run on: letters, digits, function keys, the keypad.
struct ScancodeRun {
  SDL_Scancode first;
  SDL_Scancode last;
  int firstKey;
};
constexpr ScancodeRun kScancodeRuns[] = {
    {SDL_SCANCODE_A, SDL_SCANCODE_Z, KEY_A},
    {SDL_SCANCODE_1, SDL_SCANCODE_9, KEY_1},
    {SDL_SCANCODE_F1, SDL_SCANCODE_F12, KEY_F1},
    {SDL_SCANCODE_F13, SDL_SCANCODE_F24, KEY_F1 + 12},
    {SDL_SCANCODE_KP_1, SDL_SCANCODE_KP_9, KEY_NUM1},
};

struct ScancodeKey {
  SDL_Scancode scancode;
  int key;
};
// Every other key by its place on the keyboard. Several places may give one key (both Enter
// keys, both backslashes, Menu and Application).
constexpr ScancodeKey kScancodeKeys[] = {
    {SDL_SCANCODE_0, KEY_0},
    {SDL_SCANCODE_RETURN, KEY_ENTER},
    {SDL_SCANCODE_RETURN2, KEY_ENTER},
    {SDL_SCANCODE_ESCAPE, KEY_ESCAPE},
    {SDL_SCANCODE_BACKSPACE, KEY_BACKSPACE},
    {SDL_SCANCODE_TAB, KEY_TAB},
    {SDL_SCANCODE_SPACE, KEY_SPACE},
    {SDL_SCANCODE_MINUS, KEY_MINUS},
    {SDL_SCANCODE_EQUALS, KEY_EQUALS},
    {SDL_SCANCODE_LEFTBRACKET, KEY_OPENBRACKET},
    {SDL_SCANCODE_RIGHTBRACKET, KEY_CLOSEBRACKET},
    {SDL_SCANCODE_BACKSLASH, KEY_BACKSLASH},
    {SDL_SCANCODE_NONUSHASH, KEY_BACKSLASH},
    {SDL_SCANCODE_SEMICOLON, KEY_SEMICOLON},
    {SDL_SCANCODE_APOSTROPHE, KEY_QUOTES},
    {SDL_SCANCODE_GRAVE, KEY_TILDE},
    {SDL_SCANCODE_COMMA, KEY_COMMA},
    {SDL_SCANCODE_PERIOD, KEY_PERIOD},
    {SDL_SCANCODE_SLASH, KEY_SLASH},
    {SDL_SCANCODE_NONUSBACKSLASH, KEY_EXTRA_BACKSLASH},
    {SDL_SCANCODE_CAPSLOCK, KEY_CAPSLOCK},
    {SDL_SCANCODE_PRINTSCREEN, KEY_SCREEN},
    {SDL_SCANCODE_SCROLLLOCK, KEY_SCROLLLOCK},
    {SDL_SCANCODE_PAUSE, KEY_PAUSE},
    {SDL_SCANCODE_INSERT, KEY_INSERT},
    {SDL_SCANCODE_HOME, KEY_HOME},
    {SDL_SCANCODE_PAGEUP, KEY_PAGEUP},
    {SDL_SCANCODE_DELETE, KEY_DELETE},
    {SDL_SCANCODE_END, KEY_END},
    {SDL_SCANCODE_PAGEDOWN, KEY_PAGEDOWN},
    {SDL_SCANCODE_RIGHT, KEY_RIGHT},
    {SDL_SCANCODE_LEFT, KEY_LEFT},
    {SDL_SCANCODE_DOWN, KEY_DOWN},
    {SDL_SCANCODE_UP, KEY_UP},
    {SDL_SCANCODE_NUMLOCKCLEAR, KEY_NUMLOCK},
    {SDL_SCANCODE_KP_DIVIDE, KEY_NUMDIVIDE},
    {SDL_SCANCODE_KP_MULTIPLY, KEY_NUMMULTIPLY},
    {SDL_SCANCODE_KP_MINUS, KEY_NUMSUBTRACT},
    {SDL_SCANCODE_KP_PLUS, KEY_NUMADD},
    {SDL_SCANCODE_KP_ENTER, KEY_ENTER},
    {SDL_SCANCODE_KP_0, KEY_NUM0},
    {SDL_SCANCODE_KP_PERIOD, KEY_NUMDECIMAL},
    {SDL_SCANCODE_KP_COMMA, KEY_NUMSEPARATOR},
    {SDL_SCANCODE_APPLICATION, KEY_APPS},
    {SDL_SCANCODE_MENU, KEY_APPS},
    {SDL_SCANCODE_EXECUTE, KEY_EXECUTE_KEY},
    {SDL_SCANCODE_HELP, KEY_HELP},
    {SDL_SCANCODE_SELECT, KEY_SELECT},
    {SDL_SCANCODE_CLEAR, KEY_CLEAR},
    {SDL_SCANCODE_SLEEP, KEY_SLEEP},
    {SDL_SCANCODE_LSHIFT, KEY_LSHIFT},
    {SDL_SCANCODE_RSHIFT, KEY_RSHIFT},
    {SDL_SCANCODE_LCTRL, KEY_LCONTROL},
    {SDL_SCANCODE_RCTRL, KEY_RCONTROL},
    {SDL_SCANCODE_LALT, KEY_LALT},
    {SDL_SCANCODE_RALT, KEY_RALT},
    {SDL_SCANCODE_LGUI, KEY_LSYS},
    {SDL_SCANCODE_RGUI, KEY_RSYS},
    {SDL_SCANCODE_MUTE, KEY_VOLUME_MUTE},
    {SDL_SCANCODE_AUDIOMUTE, KEY_VOLUME_MUTE},
    {SDL_SCANCODE_VOLUMEDOWN, KEY_VOLUME_DOWN},
    {SDL_SCANCODE_VOLUMEUP, KEY_VOLUME_UP},
    {SDL_SCANCODE_AUDIONEXT, KEY_MEDIA_NEXT},
    {SDL_SCANCODE_AUDIOPREV, KEY_MEDIA_PREV},
    {SDL_SCANCODE_AUDIOSTOP, KEY_MEDIA_STOP},
    {SDL_SCANCODE_AUDIOPLAY, KEY_MEDIA_PLAY},
    {SDL_SCANCODE_MAIL, KEY_LAUNCH_MAIL},
    {SDL_SCANCODE_MEDIASELECT, KEY_LAUNCH_MEDIA},
    {SDL_SCANCODE_COMPUTER, KEY_LAUNCH_APP1},
    {SDL_SCANCODE_CALCULATOR, KEY_LAUNCH_APP2},
    {SDL_SCANCODE_AC_BACK, KEY_BROWSER_BACK},
    {SDL_SCANCODE_AC_FORWARD, KEY_BROWSER_FORWARD},
    {SDL_SCANCODE_AC_REFRESH, KEY_BROWSER_REFRESH},
    {SDL_SCANCODE_AC_STOP, KEY_BROWSER_STOP},
    {SDL_SCANCODE_AC_SEARCH, KEY_BROWSER_SEARCH},
    {SDL_SCANCODE_AC_BOOKMARKS, KEY_BROWSER_FAVORITES},
    {SDL_SCANCODE_AC_HOME, KEY_BROWSER_HOME},
};

using KeyTable = std::array<std::uint8_t, SDL_NUM_SCANCODES>;

// Throwing here stops the build: each scancode has one key, and every key fits a virtual-key
// code.
constexpr void SetKey(KeyTable& table, int scancode, int key) {
  if (table[scancode] != 0) throw "scancode listed twice";
  if (key <= 0 || key > 255) throw "not a virtual-key code";
  table[scancode] = static_cast<std::uint8_t>(key);
}

constexpr KeyTable BuildKeyTable() {
  KeyTable table{};
  for (const ScancodeRun& run : kScancodeRuns) {
    for (int scancode = run.first; scancode <= run.last; ++scancode) {
      SetKey(table, scancode, run.firstKey + (scancode - run.first));
    }
  }
  for (const ScancodeKey& entry : kScancodeKeys) SetKey(table, entry.scancode, entry.key);
  return table;
}

constexpr KeyTable kKeyByScancode = BuildKeyTable();

int KeyFromScancode(int scancode) {
  if (scancode < 0 || scancode >= SDL_NUM_SCANCODES) return 0;
  return kKeyByScancode[scancode];
}

}  // namespace

int VirtualKeyFromSdl(int scancode, int keycode, int sdlMods) {
  if ((sdlMods & KMOD_NUM) == 0) {
    if (const int navigation = KeypadWithoutNumLock(scancode)) return navigation;
  }
  const bool layoutKey = (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_0) ||
                         scancode == SDL_SCANCODE_SEMICOLON;
  if (layoutKey && keycode >= 'a' && keycode <= 'z') return keycode - 'a' + KEY_A;
  if (layoutKey && keycode >= '0' && keycode <= '9') return keycode;
  return KeyFromScancode(scancode);
}

int ControlCharacterForKey(int virtualKey) {
  switch (virtualKey) {
    case KEY_BACKSPACE:
    case KEY_TAB:
    case KEY_ENTER:
    case KEY_ESCAPE:
      return virtualKey;
  }
  return 0;
}

int ModifierBitsFromSdl(int sdlMods) {
  int bits = 0;
  if (sdlMods & KMOD_SHIFT) bits |= MODIFIER_SHIFT;
  if (sdlMods & KMOD_CTRL) bits |= MODIFIER_CONTROL;
  if (sdlMods & KMOD_ALT) bits |= MODIFIER_ALT;
  if (sdlMods & KMOD_GUI) bits |= MODIFIER_SYSTEM;
  return bits;
}

int MouseButtonFromSdl(int sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT:
      return MOUSE_LEFT;
    case SDL_BUTTON_RIGHT:
      return MOUSE_RIGHT;
    case SDL_BUTTON_MIDDLE:
      return MOUSE_MIDDLE;
  }
  return 0;
}

int HeldButtonDataFromSdl(unsigned buttonMask) {
  if (buttonMask & SDL_BUTTON_RMASK) return 2;
  if (buttonMask & SDL_BUTTON_MMASK) return 4;
  if (buttonMask & SDL_BUTTON_LMASK) return 1;
  return 0;
}

}  // namespace corvax
