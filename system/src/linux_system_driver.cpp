#include "linux_system_driver.h"

#include <cstdlib>

#include <SDL2/SDL.h>

#include <corvax/stream/filesystem.h>
#include <corvax/system/backend/sdl_support.h>
#include <corvax/system/chooser.h>

#include "desktop_failure.h"
#include "helper_program.h"
#include "message_box.h"
#include "sdl_dispatch.h"
#include "sdl_event_translator.h"

namespace corvax {
namespace {

bool EventsRunning() {
  return InitSdlSubsystem(SDL_INIT_EVENTS);
}

bool DesktopPresent() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

// SDL's box first, zenity's when SDL cannot show one; the failure result when neither can.
int AskWithBox(MessageBoxButtons buttons, const String& text, bool serious) {
  if (!DesktopPresent()) {
    ReportDesktopFailure("show a message box",
                         "no display (DISPLAY and WAYLAND_DISPLAY are unset)");
    return CancelResult(buttons);
  }
  if (const std::optional<int> answer = ShowSdlMessageBox(buttons, text, serious)) return *answer;
  const std::string sdlError = SDL_GetError();
  const HelperRun zenity = RunHelperProgram("zenity", ZenityMessageBoxArgs(buttons, text, serious));
  if (HelperShowed(zenity))
    return ZenityMessageBoxAnswer(buttons, zenity.exitStatus, zenity.output);
  ReportDesktopFailure("show a message box", "SDL: " + sdlError + "; " + HelperFailure(zenity));
  return CancelResult(buttons);
}

// zenity first, kdialog when zenity cannot show itself. A cancelled chooser gives the empty
// string quietly; one that cannot be shown at all says why.
String Choose(const std::string& what, const std::vector<std::string>& zenityArgs,
              const std::vector<std::string>& kdialogArgs) {
  const HelperRun zenity = RunHelperProgram("zenity", zenityArgs);
  if (HelperShowed(zenity)) return zenity.exitStatus == 0 ? FromUtf8(zenity.output) : String();
  const HelperRun kdialog = RunHelperProgram("kdialog", kdialogArgs);
  if (HelperShowed(kdialog)) return kdialog.exitStatus == 0 ? FromUtf8(kdialog.output) : String();
  ReportDesktopFailure("show a " + what, HelperFailure(zenity) + "; " + HelperFailure(kdialog));
  return String();
}

}  // namespace

void TLinuxSystemDriver::Pump() {
  if (!EventsRunning()) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) DispatchSdlEvent(event);
}

void TLinuxSystemDriver::Await() {
  if (!EventsRunning()) return;
  SDL_Event event;
  if (SDL_WaitEvent(&event)) DispatchSdlEvent(event);
  Pump();
}

void TLinuxSystemDriver::SetPointerPosition(int x, int y) {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  if (SDL_Window* active = SDL_GetKeyboardFocus()) {
    SDL_WarpMouseInWindow(active, x, y);
  } else {
    SDL_WarpMouseGlobal(x, y);
  }
}

void TLinuxSystemDriver::SetPointerVisible(int visible) {
  EventTranslator().SetPointerWanted(visible != 0);
}

void TLinuxSystemDriver::ShowNotice(const String& text, int serious) {
  AskWithBox(MessageBoxButtons::Ok, text, serious != 0);
}

int TLinuxSystemDriver::AskConfirm(const String& text, int serious) {
  return AskWithBox(MessageBoxButtons::OkCancel, text, serious != 0);
}

int TLinuxSystemDriver::AskProceed(const String& text, int serious) {
  return AskWithBox(MessageBoxButtons::YesNoCancel, text, serious != 0);
}

String TLinuxSystemDriver::ChooseFile(const String& title, const String& extensions, int save,
                                      const String& path) {
  return Choose("file chooser", ZenityFileChooserArgs(title, extensions, save, path),
                KdialogFileChooserArgs(title, extensions, save, path));
}

String TLinuxSystemDriver::ChooseFolder(const String& title, const String& path) {
  const String resolved = ResolvePath(path);
  const String directory = resolved == kBadDirectory ? u"" : resolved;
  return Choose("folder chooser", ZenityFolderChooserArgs(title, directory),
                KdialogFolderChooserArgs(title, directory));
}

void TLinuxSystemDriver::OpenInShell(const String& url) {
  // SDL hands the url to xdg-open in a child it does not wait for, so a missing xdg-open would
  // go unnoticed there.
  if (!ProgramOnPath("xdg-open")) {
    ReportDesktopFailure("open " + ToUtf8(url), "xdg-open is not installed");
    return;
  }
  if (SDL_OpenURL(ToUtf8(url).c_str()) != 0) {
    ReportDesktopFailure("open " + ToUtf8(url), std::string("SDL: ") + SDL_GetError());
  }
}

}  // namespace corvax
