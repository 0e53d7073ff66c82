// The desktop of a web page: the browser's own boxes and new tabs; the page's files are in
// memory, where the browser's chooser cannot reach.
#include <emscripten.h>

#include "desktop.h"
#include "desktop_failure.h"

namespace corvax {
namespace {

// The browser's boxes: alert has one button, confirm two (OK and Cancel).
EM_JS(void, ShowAlert, (const char* text), { alert(UTF8ToString(text)); });
EM_JS(int, ShowConfirm, (const char* text), { return confirm(UTF8ToString(text)) ? 1 : 0; });
// The new tab gets no hold on this page; null when a pop-up blocker refused it.
EM_JS(int, OpenInNewTab, (const char* url), {
  const opened = window.open(UTF8ToString(url), '_blank');
  if (!opened) return 0;
  opened.opener = null;
  return 1;
});

constexpr char kNoChooser[] =
    "a web page's files live in its memory, where the browser's chooser cannot reach";

}  // namespace

bool DesktopPresent() {
  // A page always has its browser window.
  return true;
}

std::optional<int> AskOnDesktop(MessageBoxButtons buttons, const String& text, bool, std::string&) {
  const std::string message = ToUtf8(text);
  switch (buttons) {
    case MessageBoxButtons::Ok:
      ShowAlert(message.c_str());
      return 1;
    case MessageBoxButtons::OkCancel:
      return ShowConfirm(message.c_str());
    case MessageBoxButtons::YesNoCancel:
      // The browser's box has no third button: OK answers Yes, and Cancel stays Cancel, the
      // answer that changes nothing.
      return ShowConfirm(message.c_str()) ? 1 : CancelResult(buttons);
  }
  return CancelResult(buttons);
}

String ChooseFileOnDesktop(const String&, const String&, int, const String&) {
  ReportDesktopFailure("show a file chooser", kNoChooser);
  return String();
}

String ChooseFolderOnDesktop(const String&, const String&) {
  ReportDesktopFailure("show a folder chooser", kNoChooser);
  return String();
}

void OpenOnDesktop(const String& url) {
  if (!OpenInNewTab(ToUtf8(url).c_str()))
    ReportDesktopFailure("open " + ToUtf8(url),
                         "the browser refused a new tab (a pop-up blocker?)");
}

}  // namespace corvax
