#include "message_box.h"

#include <string>
#include <vector>

#include <SDL2/SDL.h>

#include "desktop.h"

namespace corvax {
namespace {

int CancelResult(MessageBoxButtons buttons) {
  return buttons == MessageBoxButtons::YesNoCancel ? -1 : 0;
}

std::vector<SDL_MessageBoxButtonData> ButtonsFor(MessageBoxButtons buttons) {
  const Uint32 enter = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
  const Uint32 escape = SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
  switch (buttons) {
    case MessageBoxButtons::Ok:
      return {{enter | escape, 1, "OK"}};
    case MessageBoxButtons::OkCancel:
      return {{enter, 1, "OK"}, {escape, 0, "Cancel"}};
    case MessageBoxButtons::YesNoCancel:
      return {{enter, 1, "Yes"}, {0, 0, "No"}, {escape, -1, "Cancel"}};
  }
  return {};
}

}  // namespace

int ShowMessageBox(MessageBoxButtons buttons, const String& text, bool serious) {
  if (!DesktopPresent()) return CancelResult(buttons);
  const std::string message = ToUtf8(text);
  const std::string title = ToUtf8(AppTitle().empty() ? String(u"Corvax Application") : AppTitle());
  const std::vector<SDL_MessageBoxButtonData> buttonData = ButtonsFor(buttons);
  SDL_Window* owner = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetKeyboardFocus() : nullptr;
  SDL_MessageBoxData box{};
  box.flags = (serious ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION) |
              SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.window = owner;
  box.title = title.c_str();
  box.message = message.c_str();
  box.numbuttons = static_cast<int>(buttonData.size());
  box.buttons = buttonData.data();
  int chosen = CancelResult(buttons);
  if (SDL_ShowMessageBox(&box, &chosen) != 0) return CancelResult(buttons);
  // The box took the focus; hand it back to the window that had it.
  if (owner) SDL_RaiseWindow(owner);
  for (const SDL_MessageBoxButtonData& button : buttonData) {
    if (button.buttonid == chosen) return chosen;
  }
  return CancelResult(buttons);
}

}  // namespace corvax
