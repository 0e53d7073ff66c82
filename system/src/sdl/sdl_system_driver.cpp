#include "sdl_system_driver.h"

#include <SDL2/SDL.h>

#include <corvax/stream/filesystem.h>
#include <corvax/system/backend/sdl_support.h>
#include <corvax/system/chooser.h>

#include "desktop.h"
#include "desktop_failure.h"
#include "message_box.h"
#include "sdl_dispatch.h"
#include "sdl_event_translator.h"

namespace corvax {
namespace {

bool EventsRunning() {
  return InitSdlSubsystem(SDL_INIT_EVENTS);
}

// SDL's box first, the desktop's own when SDL cannot show one; the failure result when neither
// can.
int AskWithBox(MessageBoxButtons buttons, const String& text, bool serious) {
  if (!DesktopPresent()) {
    ReportDesktopFailure("show a message box",
                         "no display (DISPLAY and WAYLAND_DISPLAY are unset)");
    return CancelResult(buttons);
  }
  if (const std::optional<int> answer = ShowSdlMessageBox(buttons, text, serious)) return *answer;
  const std::string sdlError = SDL_GetError();
  std::string why;
  if (const std::optional<int> answer = AskOnDesktop(buttons, text, serious, why)) return *answer;
  ReportDesktopFailure("show a message box", "SDL: " + sdlError + "; " + why);
  return CancelResult(buttons);
}

}  // namespace

void TSdlSystemDriver::Pump() {
  if (!EventsRunning()) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) DispatchSdlEvent(event);
}

void TSdlSystemDriver::Await() {
  if (!EventsRunning()) return;
  SDL_Event event;
  if (SDL_WaitEvent(&event)) DispatchSdlEvent(event);
  Pump();
}

void TSdlSystemDriver::SetPointerPosition(int x, int y) {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  // A window just opened may not have the focus yet; its coordinates are still the ones meant.
  SDL_Window* window = SDL_GetKeyboardFocus();
  if (!window) window = SDL_GetMouseFocus();
  if (!window) window = SDL_GetWindowFromID(EventTranslator().NewestSourceWindow());
  if (!window) {
    SDL_WarpMouseGlobal(x, y);
    return;
  }
  MovePointerOnDesktop(window, x, y);
  // Motion the window system reported before the warp is taken in first, so that it cannot
  // land after the move and take the pointer back to where it was.
  PumpSystem();
  EventTranslator().ReportPointerMovedTo(SDL_GetWindowID(window), x, y);
}

void TSdlSystemDriver::SetPointerVisible(int visible) {
  EventTranslator().SetPointerWanted(visible != 0);
}

void TSdlSystemDriver::ShowNotice(const String& text, int serious) {
  AskWithBox(MessageBoxButtons::Ok, text, serious != 0);
}

int TSdlSystemDriver::AskConfirm(const String& text, int serious) {
  return AskWithBox(MessageBoxButtons::OkCancel, text, serious != 0);
}

int TSdlSystemDriver::AskProceed(const String& text, int serious) {
  return AskWithBox(MessageBoxButtons::YesNoCancel, text, serious != 0);
}

String TSdlSystemDriver::ChooseFile(const String& title, const String& extensions, int save,
                                    const String& path) {
  return ChooseFileOnDesktop(title, extensions, save, path);
}

String TSdlSystemDriver::ChooseFolder(const String& title, const String& path) {
  const String resolved = ResolvePath(path);
  const String directory = resolved == kBadDirectory ? u"" : resolved;
  return ChooseFolderOnDesktop(title, directory);
}

void TSdlSystemDriver::OpenInShell(const String& url) {
  OpenOnDesktop(url);
}

}  // namespace corvax
