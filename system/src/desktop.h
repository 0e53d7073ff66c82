#pragma once
// What the system driver asks of the desktop, one implementation per platform: zenity and the
// desktop's URL handler on POSIX (desktop_posix.cpp), the common dialogs and the shell on
// Windows (desktop_windows.cpp).
#include <corvax/runtime/string.h>

namespace corvax {

// True when there is a desktop to show boxes and choosers on.
bool DesktopPresent();
// The chosen path, or empty when the user cancelled or no chooser could be shown (then one
// line on standard error says why).
String ChooseFileOnDesktop(const String& title, const String& extensions, int save,
                           const String& path);
// directory: absolute, or empty to let the chooser start where it likes.
String ChooseFolderOnDesktop(const String& title, const String& directory);
void OpenOnDesktop(const String& url);

}  // namespace corvax
