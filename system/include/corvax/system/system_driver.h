#pragma once
/// @file
/// @ingroup system
/// The door to the desktop: one current system driver pumps the platform's events and offers
/// pointer control, message boxes, choosers and the shell; module functions forward to it.
#include <corvax/runtime/runtime_module.h>

namespace corvax {

/// The platform layer: events, the pointer, message boxes, choosers and the shell.
class TSystemDriver : public Object {
 public:
  /// Turns every pending platform event into broadcast events.
  virtual void Pump() = 0;
  /// Waits until at least one platform event arrives, then pumps.
  virtual void Await() = 0;
  /// Client coordinates of the active window.
  virtual void SetPointerPosition(int x, int y) = 0;
  /// Non-zero shows the pointer over the windows, 0 hides it.
  virtual void SetPointerVisible(int visible) = 0;
  /// A message box with OK; serious shows it as an error. A box that cannot be shown gives a
  /// line on standard error.
  virtual void ShowNotice(const String& text, int serious) = 0;
  /// 1 for OK, else 0.
  virtual int AskConfirm(const String& text, int serious) = 0;
  /// 1 for Yes, 0 for No, -1 otherwise.
  virtual int AskProceed(const String& text, int serious) = 0;
  /// The chosen path, or the empty string when cancelled or impossible.
  virtual String ChooseFile(const String& title, const String& extensions, int save,
                            const String& path) = 0;
  /// The chosen folder, or the empty string when cancelled or impossible.
  virtual String ChooseFolder(const String& title, const String& path) = 0;
  /// The url is already prepared (see PrepareShellUrl); failures are not reported.
  virtual void OpenInShell(const String& url) = 0;
};

/// The current driver: SDL's unless replaced.
Ref<TSystemDriver> SystemDriver();
/// Replaces the current driver (tests and other platforms).
void SetSystemDriver(const Ref<TSystemDriver>& driver);

/// Both do nothing while a pump is already running (from a hook, say).
///@{
void PumpSystem();
void AwaitSystem();
///@}

/// The current driver's operations of the same meaning: MovePointer (SetPointerPosition),
/// ShowPointer and HidePointer (SetPointerVisible 1 and 0), ShowNotice, AskConfirm, AskProceed.
///@{
void MovePointer(int x, int y);
void ShowPointer();
void HidePointer();
void ShowNotice(const String& text, int serious = 0);
int AskConfirm(const String& text, int serious = 0);
int AskProceed(const String& text, int serious = 0);
///@}
/// extensions: "Image Files:png,jpg;Text:txt" or just "png,jpg".
String ChooseFile(const String& title, const String& extensions = u"", int save = 0,
                  const String& path = u"");
/// The chosen folder, or the empty string when cancelled or impossible.
String ChooseFolder(const String& title, const String& path = u"");
/// Opens a web address, or a file or directory when the text names one, with the desktop's
/// handler.
void OpenInShell(const String& url);

/// "07 Dec 2026" and "14:05:09", local time, always in the C locale.
///@{
String CurrentDateText();
String CurrentTimeText();
///@}

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupSystemDriverModule();

}  // namespace corvax
