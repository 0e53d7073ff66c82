#include "desktop.h"

#include <cstdlib>

#include <SDL2/SDL.h>

#include <corvax/system/chooser.h>

#include "desktop_failure.h"
#include "helper_program.h"

namespace corvax {
namespace {

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

bool DesktopPresent() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

std::optional<int> AskOnDesktop(MessageBoxButtons buttons, const String& text, bool serious,
                                std::string& why) {
  const HelperRun zenity = RunHelperProgram("zenity", ZenityMessageBoxArgs(buttons, text, serious));
  if (HelperShowed(zenity))
    return ZenityMessageBoxAnswer(buttons, zenity.exitStatus, zenity.output);
  why = HelperFailure(zenity);
  return std::nullopt;
}

String ChooseFileOnDesktop(const String& title, const String& extensions, int save,
                           const String& path) {
  return Choose("file chooser", ZenityFileChooserArgs(title, extensions, save, path),
                KdialogFileChooserArgs(title, extensions, save, path));
}

String ChooseFolderOnDesktop(const String& title, const String& directory) {
  return Choose("folder chooser", ZenityFolderChooserArgs(title, directory),
                KdialogFolderChooserArgs(title, directory));
}

void OpenOnDesktop(const String& url) {
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

void MovePointerOnDesktop(SDL_Window* window, int x, int y) {
  SDL_WarpMouseInWindow(window, x, y);
}

}  // namespace corvax
