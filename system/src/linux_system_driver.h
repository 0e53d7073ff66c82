#pragma once
// The system driver of a Linux desktop: events from SDL, message boxes from SDL, choosers from
// zenity, and the desktop's URL handler. Without a display it still pumps events and timers;
// everything that needs the desktop then reports cancellation.
#include <corvax/system/system_driver.h>

namespace corvax {

class TLinuxSystemDriver : public TSystemDriver {
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
};

}  // namespace corvax
