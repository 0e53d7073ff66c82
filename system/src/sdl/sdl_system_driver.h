#pragma once
// The system driver of a desktop over SDL: events and message boxes from SDL; what SDL cannot do
// (its box when it cannot show one, choosers, the URL handler) from the desktop (desktop.h): on
// Linux zenity, then kdialog, and xdg-open. Without a display it still pumps events and
// timers. What the desktop cannot show gives the failure result (cancellation, the empty string)
// and one line on standard error saying why; a user's own cancel stays quiet.
#include <corvax/system/system_driver.h>

namespace corvax {

class TSdlSystemDriver : public TSystemDriver {
 public:
  void Pump() override;
  void Await() override;
  void SetPointerPosition(int x, int y) override;
  void SetPointerVisible(int visible) override;
  void ShowNotice(const String& text, int serious) override;
  int AskConfirm(const String& text, int serious) override;
  int AskProceed(const String& text, int serious) override;
  String ChooseFile(const String& title, const String& extensions, int save,
                    const String& path) override;
  String ChooseFolder(const String& title, const String& path) override;
  void OpenInShell(const String& url) override;
  // Text entry and the clipboard: sdl_text_entry.cpp. The clipboard starts SDL's video (it
  // lives with the display); without a display it gives the failure result.
  void SetTextInput(int on) override;
  int IsTextInputOn() override;
  void SetTextInputArea(int x, int y, int width, int height) override;
  String ClipboardText() override;
  int SetClipboardText(const String& text) override;
};

}  // namespace corvax
