#include "message_box.h"

#include <SDL2/SDL.h>

namespace corvax {
namespace {

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

std::string BoxTitle() {
  return ToUtf8(AppTitle().empty() ? String(u"Corvax Application") : AppTitle());
}

}  // namespace

int CancelResult(MessageBoxButtons buttons) {
  return buttons == MessageBoxButtons::YesNoCancel ? -1 : 0;
}

std::optional<int> ShowSdlMessageBox(MessageBoxButtons buttons, const String& text, bool serious) {
  const std::string message = ToUtf8(text);
  const std::string title = BoxTitle();
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
  if (SDL_ShowMessageBox(&box, &chosen) != 0) return std::nullopt;
  // The box took the focus; hand it back to the window that had it.
  if (owner) SDL_RaiseWindow(owner);
  for (const SDL_MessageBoxButtonData& button : buttonData) {
    if (button.buttonid == chosen) return chosen;
  }
  return CancelResult(buttons);
}

std::vector<std::string> ZenityMessageBoxArgs(MessageBoxButtons buttons, const String& text,
                                              bool serious) {
  // The text is shown as it stands, never read as markup.
  std::vector<std::string> args{"--title=" + BoxTitle(), "--text=" + ToUtf8(text), "--no-markup"};
  const std::string icon =
      serious ? "--icon-name=dialog-warning" : "--icon-name=dialog-information";
  switch (buttons) {
    case MessageBoxButtons::Ok:
      args.insert(args.begin(), serious ? "--warning" : "--info");
      break;
    case MessageBoxButtons::OkCancel:
      args.insert(args.begin(), "--question");
      args.insert(args.end(), {icon, "--ok-label=OK", "--cancel-label=Cancel"});
      break;
    case MessageBoxButtons::YesNoCancel:
      // Closing the box answers like its cancel button, so "No" is the extra button: zenity
      // prints an extra button's label and ends with status 1.
      args.insert(args.begin(), "--question");
      args.insert(args.end(),
                  {icon, "--ok-label=Yes", "--cancel-label=Cancel", "--extra-button=No"});
      break;
  }
  return args;
}

int ZenityMessageBoxAnswer(MessageBoxButtons buttons, int exitStatus, const std::string& output) {
  if (exitStatus == 0) return 1;
  if (buttons == MessageBoxButtons::YesNoCancel && output == "No") return 0;
  return CancelResult(buttons);
}

}  // namespace corvax
