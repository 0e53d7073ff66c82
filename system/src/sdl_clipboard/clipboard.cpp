#include "clipboard.h"

#include <string>

#include <SDL2/SDL.h>

#include <corvax/system/backend/sdl_support.h>

#include "desktop_failure.h"

namespace corvax {
namespace {

// SDL keeps the clipboard with the display, so it needs the video subsystem.
bool VideoForClipboard(const std::string& what) {
  if (InitSdlSubsystem(SDL_INIT_VIDEO)) return true;
  ReportDesktopFailure(what, std::string("no display for the clipboard: ") + SDL_GetError());
  return false;
}

}  // namespace

String ReadClipboardText() {
  const std::string what = "read the clipboard";
  if (!VideoForClipboard(what)) return u"";
  SDL_ClearError();
  char* text = SDL_GetClipboardText();
  if (!text) {
    ReportDesktopFailure(what, SDL_GetError());
    return u"";
  }
  const String result = FromUtf8(text);
  SDL_free(text);
  // SDL answers an empty text both for an empty clipboard and for one it could not read.
  if (result.empty() && *SDL_GetError()) ReportDesktopFailure(what, SDL_GetError());
  return result;
}

bool WriteClipboardText(const String& text) {
  const std::string what = "write the clipboard";
  if (!VideoForClipboard(what)) return false;
  if (SDL_SetClipboardText(ToUtf8(text).c_str()) != 0) {
    ReportDesktopFailure(what, SDL_GetError());
    return false;
  }
  return true;
}

}  // namespace corvax
