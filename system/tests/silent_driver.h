#pragma once
// A system driver with no desktop behind it: pumping and waiting deliver nothing, and every
// question is answered as when no dialog could be shown.
#include <corvax/system/system_module.h>

namespace corvax::testing {

class SilentDriver : public TSystemDriver {
 public:
  void Pump() override {}
  void Await() override {}
  void SetPointerPosition(int, int) override {}
  void SetPointerVisible(int) override {}
  void ShowNotice(const String&, int) override {}
  int AskConfirm(const String&, int) override { return 0; }
  int AskProceed(const String&, int) override { return -1; }
  String ChooseFile(const String&, const String&, int, const String&) override { return u""; }
  String ChooseFolder(const String&, const String&) override { return u""; }
  void OpenInShell(const String&) override {}
};

}  // namespace corvax::testing
