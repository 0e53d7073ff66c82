#pragma once
// What the system driver asks of the desktop, one implementation per platform: helper programs
// (zenity, kdialog) and the desktop's URL handler on POSIX (posix/desktop.cpp), the common
// dialogs and the shell on Windows (windows/desktop.cpp), the browser's boxes and pointer lock
// in a page (web/). Each says on standard error why it could not do what was asked.
#include <optional>
#include <string>

#include <corvax/runtime/string.h>

#include "message_box.h"

struct SDL_Window;

namespace corvax {

// True when there is a desktop to show boxes and choosers on.
bool DesktopPresent();
// The message box's second way, for when SDL could not show its own: the answer, or nothing
// when this could not show one either (`why` then says why, in a few words).
std::optional<int> AskOnDesktop(MessageBoxButtons buttons, const String& text, bool serious,
                                std::string& why);
// The chosen path, or empty when the user cancelled or no chooser could be shown (then one
// line on standard error says why).
String ChooseFileOnDesktop(const String& title, const String& extensions, int save,
                           const String& path);
// directory: absolute, or empty to let the chooser start where it likes.
String ChooseFolderOnDesktop(const String& title, const String& directory);
void OpenOnDesktop(const String& url);
// Puts the pointer at window coordinates (x, y) of the window, which has the focus or the
// pointer. A page cannot move the system pointer: there the position the program reads moves,
// and later motion is added to it (web/desktop_pointer.cpp).
void MovePointerOnDesktop(SDL_Window* window, int x, int y);

}  // namespace corvax
