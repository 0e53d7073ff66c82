#include <corvax/runtime/start_once.h>
#include <corvax/system/system_driver.h>

#include <corvax/runtime/immortal.h>
#include <corvax/stream/stream_module.h>
#include <corvax/system/backend/run_gate.h>
#include <corvax/system/event.h>
#include <corvax/system/run_recording.h>
#include <corvax/system/shell_url.h>
#include "desktop_failure.h"
#include "sdl/sdl_system_driver.h"

namespace corvax {
namespace {

Ref<TSystemDriver>& CurrentDriver() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const driver = &MakeImmortal<Ref<TSystemDriver>>();
  return *driver;
}

bool pumping = false;

// Hooks run inside a pump; a pump they start would deliver events in the middle of another.
class PumpGuard {
 public:
  PumpGuard() : entered_(!pumping) { pumping = true; }
  ~PumpGuard() {
    if (entered_) pumping = false;
  }
  bool Entered() const { return entered_; }

 private:
  bool entered_;
};

}  // namespace

void TSystemDriver::SetTextInput(int) {}
int TSystemDriver::IsTextInputOn() {
  return 0;
}
void TSystemDriver::SetTextInputArea(int, int, int, int) {}
String TSystemDriver::ClipboardText() {
  ReportDesktopFailure("read the clipboard", "the system driver has none");
  return u"";
}
int TSystemDriver::SetClipboardText(const String&) {
  ReportDesktopFailure("write the clipboard", "the system driver has none");
  return 0;
}

Ref<TSystemDriver> SystemDriver() {
  StartupSystemDriverModule();
  return CurrentDriver();
}

void SetSystemDriver(const Ref<TSystemDriver>& driver) {
  StartupSystemDriverModule();
  CurrentDriver() = driver;
}

void PumpSystem() {
  PumpGuard guard;
  if (!guard.Entered()) return;
  RunDeliveryPoint();
  SystemDriver()->Pump();
}

void AwaitSystem() {
  PumpGuard guard;
  if (!guard.Entered()) return;
  RunDeliveryPoint();
  // A replay's input is in the recording: waiting for live input could wait for ever.
  if (IsReplayingRun()) {
    SystemDriver()->Pump();
  } else {
    SystemDriver()->Await();
  }
}

void MovePointer(int x, int y) {
  // The move reports the pointer where it went, as input arriving here.
  RunDeliveryPoint();
  SystemDriver()->SetPointerPosition(x, y);
}
void ShowPointer() {
  SystemDriver()->SetPointerVisible(1);
}
void HidePointer() {
  SystemDriver()->SetPointerVisible(0);
}

void ShowNotice(const String& text, bool serious) {
  SystemDriver()->ShowNotice(text, serious);
}

bool AskConfirm(const String& text, bool serious) {
  return SystemDriver()->AskConfirm(text, serious);
}

int AskProceed(const String& text, bool serious) {
  return SystemDriver()->AskProceed(text, serious);
}

String ChooseFile(const String& title, const String& extensions, bool save, const String& path) {
  return SystemDriver()->ChooseFile(title, extensions, save, path);
}

String ChooseFolder(const String& title, const String& path) {
  return SystemDriver()->ChooseFolder(title, path);
}

void OpenInShell(const String& url) {
  const ShellPathChecks checks{[](const String& path) { return ResolvePath(path); },
                               [](const String& path) { return PathKind(path); }};
  SystemDriver()->OpenInShell(PrepareShellUrl(url, checks));
}

void StartupSystemDriverModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupEventModule();
  StartupStreamModule();
  CurrentDriver() = New<TSdlSystemDriver>();
}

}  // namespace corvax
