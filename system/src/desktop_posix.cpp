#include "desktop.h"

#include <cstdlib>

#include <SDL2/SDL.h>

#include <corvax/system/chooser.h>

#include "zenity.h"

namespace corvax {
namespace {

String Chosen(const std::vector<std::string>& args) {
  const std::optional<std::string> answer = RunZenity(args);
  return answer ? FromUtf8(*answer) : String();
}

}  // namespace

bool DesktopPresent() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

String ChooseFileOnDesktop(const String& title, const String& extensions, int save,
                           const String& path) {
  return Chosen(ZenityFileChooserArgs(title, extensions, save, path));
}

String ChooseFolderOnDesktop(const String& title, const String& directory) {
  return Chosen(ZenityFolderChooserArgs(title, directory));
}

void OpenOnDesktop(const String& url) {
  SDL_OpenURL(ToUtf8(url).c_str());
}

}  // namespace corvax
