#include <SDL2/SDL.h>

#include "clipboard.h"
#include "sdl_system_driver.h"

namespace corvax {

void TSdlSystemDriver::SetTextInput(int on) {
  if (on) {
    SDL_StartTextInput();
  } else {
    SDL_StopTextInput();
  }
}

int TSdlSystemDriver::IsTextInputOn() {
  return SDL_IsTextInputActive() ? 1 : 0;
}

void TSdlSystemDriver::SetTextInputArea(int x, int y, int width, int height) {
  SDL_Rect area{x, y, width, height};
  SDL_SetTextInputRect(&area);
}

String TSdlSystemDriver::ClipboardText() {
  return ReadClipboardText();
}

int TSdlSystemDriver::SetClipboardText(const String& text) {
  return WriteClipboardText(text) ? 1 : 0;
}

}  // namespace corvax
