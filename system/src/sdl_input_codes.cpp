#include "sdl_input_codes.h"

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

int KeyFromScancode(int scancode) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
    return KEY_A + (scancode - SDL_SCANCODE_A);
  }
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
    return KEY_1 + (scancode - SDL_SCANCODE_1);
  }
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
    return KEY_F1 + (scancode - SDL_SCANCODE_F1);
  }
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) {
    return KEY_F1 + 12 + (scancode - SDL_SCANCODE_F13);
  }
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) {
    return KEY_NUM1 + (scancode - SDL_SCANCODE_KP_1);
  }
  switch (scancode) {
    case SDL_SCANCODE_0:
      return KEY_0;
    case SDL_SCANCODE_RETURN:
      return KEY_ENTER;
    case SDL_SCANCODE_RETURN2:
      return KEY_ENTER;
    case SDL_SCANCODE_ESCAPE:
      return KEY_ESCAPE;
    case SDL_SCANCODE_BACKSPACE:
      return KEY_BACKSPACE;
    case SDL_SCANCODE_TAB:
      return KEY_TAB;
    case SDL_SCANCODE_SPACE:
      return KEY_SPACE;
    case SDL_SCANCODE_MINUS:
      return KEY_MINUS;
    case SDL_SCANCODE_EQUALS:
      return KEY_EQUALS;
    case SDL_SCANCODE_LEFTBRACKET:
      return KEY_OPENBRACKET;
    case SDL_SCANCODE_RIGHTBRACKET:
      return KEY_CLOSEBRACKET;
    case SDL_SCANCODE_BACKSLASH:
      return KEY_BACKSLASH;
    case SDL_SCANCODE_NONUSHASH:
      return KEY_BACKSLASH;
    case SDL_SCANCODE_SEMICOLON:
      return KEY_SEMICOLON;
    case SDL_SCANCODE_APOSTROPHE:
      return KEY_QUOTES;
    case SDL_SCANCODE_GRAVE:
      return KEY_TILDE;
    case SDL_SCANCODE_COMMA:
      return KEY_COMMA;
    case SDL_SCANCODE_PERIOD:
      return KEY_PERIOD;
    case SDL_SCANCODE_SLASH:
      return KEY_SLASH;
    case SDL_SCANCODE_NONUSBACKSLASH:
      return KEY_EXTRA_BACKSLASH;
    case SDL_SCANCODE_CAPSLOCK:
      return KEY_CAPSLOCK;
    case SDL_SCANCODE_PRINTSCREEN:
      return KEY_SCREEN;
    case SDL_SCANCODE_SCROLLLOCK:
      return KEY_SCROLLLOCK;
    case SDL_SCANCODE_PAUSE:
      return KEY_PAUSE;
    case SDL_SCANCODE_INSERT:
      return KEY_INSERT;
    case SDL_SCANCODE_HOME:
      return KEY_HOME;
    case SDL_SCANCODE_PAGEUP:
      return KEY_PAGEUP;
    case SDL_SCANCODE_DELETE:
      return KEY_DELETE;
    case SDL_SCANCODE_END:
      return KEY_END;
    case SDL_SCANCODE_PAGEDOWN:
      return KEY_PAGEDOWN;
    case SDL_SCANCODE_RIGHT:
      return KEY_RIGHT;
    case SDL_SCANCODE_LEFT:
      return KEY_LEFT;
    case SDL_SCANCODE_DOWN:
      return KEY_DOWN;
    case SDL_SCANCODE_UP:
      return KEY_UP;
    case SDL_SCANCODE_NUMLOCKCLEAR:
      return KEY_NUMLOCK;
    case SDL_SCANCODE_KP_DIVIDE:
      return KEY_NUMDIVIDE;
    case SDL_SCANCODE_KP_MULTIPLY:
      return KEY_NUMMULTIPLY;
    case SDL_SCANCODE_KP_MINUS:
      return KEY_NUMSUBTRACT;
    case SDL_SCANCODE_KP_PLUS:
      return KEY_NUMADD;
    case SDL_SCANCODE_KP_ENTER:
      return KEY_ENTER;
    case SDL_SCANCODE_KP_0:
      return KEY_NUM0;
    case SDL_SCANCODE_KP_PERIOD:
      return KEY_NUMDECIMAL;
    case SDL_SCANCODE_KP_COMMA:
      return KEY_NUMSEPARATOR;
    case SDL_SCANCODE_APPLICATION:
      return KEY_APPS;
    case SDL_SCANCODE_MENU:
      return KEY_APPS;
    case SDL_SCANCODE_EXECUTE:
      return KEY_EXECUTE;
    case SDL_SCANCODE_HELP:
      return KEY_HELP;
    case SDL_SCANCODE_SELECT:
      return KEY_SELECT;
    case SDL_SCANCODE_CLEAR:
      return KEY_CLEAR;
    case SDL_SCANCODE_SLEEP:
      return KEY_SLEEP;
    case SDL_SCANCODE_LSHIFT:
      return KEY_LSHIFT;
    case SDL_SCANCODE_RSHIFT:
      return KEY_RSHIFT;
    case SDL_SCANCODE_LCTRL:
      return KEY_LCONTROL;
    case SDL_SCANCODE_RCTRL:
      return KEY_RCONTROL;
    case SDL_SCANCODE_LALT:
      return KEY_LALT;
    case SDL_SCANCODE_RALT:
      return KEY_RALT;
    case SDL_SCANCODE_LGUI:
      return KEY_LSYS;
    case SDL_SCANCODE_RGUI:
      return KEY_RSYS;
    case SDL_SCANCODE_MUTE:
      return KEY_VOLUME_MUTE;
    case SDL_SCANCODE_AUDIOMUTE:
      return KEY_VOLUME_MUTE;
    case SDL_SCANCODE_VOLUMEDOWN:
      return KEY_VOLUME_DOWN;
    case SDL_SCANCODE_VOLUMEUP:
      return KEY_VOLUME_UP;
    case SDL_SCANCODE_AUDIONEXT:
      return KEY_MEDIA_NEXT;
    case SDL_SCANCODE_AUDIOPREV:
      return KEY_MEDIA_PREV;
    case SDL_SCANCODE_AUDIOSTOP:
      return KEY_MEDIA_STOP;
    case SDL_SCANCODE_AUDIOPLAY:
      return KEY_MEDIA_PLAY;
    case SDL_SCANCODE_MAIL:
      return KEY_LAUNCH_MAIL;
    case SDL_SCANCODE_MEDIASELECT:
      return KEY_LAUNCH_MEDIA;
    case SDL_SCANCODE_COMPUTER:
      return KEY_LAUNCH_APP1;
    case SDL_SCANCODE_CALCULATOR:
      return KEY_LAUNCH_APP2;
    case SDL_SCANCODE_AC_BACK:
      return KEY_BROWSER_BACK;
    case SDL_SCANCODE_AC_FORWARD:
      return KEY_BROWSER_FORWARD;
    case SDL_SCANCODE_AC_REFRESH:
      return KEY_BROWSER_REFRESH;
    case SDL_SCANCODE_AC_STOP:
      return KEY_BROWSER_STOP;
    case SDL_SCANCODE_AC_SEARCH:
      return KEY_BROWSER_SEARCH;
    case SDL_SCANCODE_AC_BOOKMARKS:
      return KEY_BROWSER_FAVORITES;
    case SDL_SCANCODE_AC_HOME:
      return KEY_BROWSER_HOME;
  }
  return 0;
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
