#pragma once
// The clipboard other programs share: SDL's on the desktop, where it is the display's
// (sdl_clipboard/), the browser's in a page (web/), where SDL's would be the program's alone.
// Each says on standard error why it could not do what was asked.
#include <corvax/runtime/string.h>

namespace corvax {

// The clipboard's text; the empty string when it holds none or could not be read (then one line
// on standard error says why).
String ReadClipboardText();
// True when the clipboard holds text now; false, with one line on standard error saying why,
// when it could not be written.
bool WriteClipboardText(const String& text);

}  // namespace corvax
