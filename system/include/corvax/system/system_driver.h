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
  /// @param x Client column of the active window.
  /// @param y Client row.
  virtual void SetPointerPosition(int x, int y) = 0;
  /// @param visible Non-zero shows the pointer over the windows, 0 hides it.
  virtual void SetPointerVisible(int visible) = 0;
  /// A message box with OK. A box that cannot be shown gives a line on standard error.
  /// @param text The message.
  /// @param serious Non-zero shows it as an error.
  virtual void ShowNotice(const String& text, int serious) = 0;
  /// A message box with OK and Cancel.
  /// @param text The question.
  /// @param serious Non-zero shows it as an error.
  /// @return 1 for OK, else 0.
  virtual int AskConfirm(const String& text, int serious) = 0;
  /// A message box with Yes, No and Cancel.
  /// @param text The question.
  /// @param serious Non-zero shows it as an error.
  /// @return 1 for Yes, 0 for No, -1 otherwise.
  virtual int AskProceed(const String& text, int serious) = 0;
  /// @param title The chooser's title.
  /// @param extensions "Image Files:png,jpg;Text:txt" or just "png,jpg".
  /// @param save Non-zero for a save chooser.
  /// @param path The start path.
  /// @return The chosen path, or the empty string when cancelled or impossible.
  virtual String ChooseFile(const String& title, const String& extensions, int save,
                            const String& path) = 0;
  /// @param title The chooser's title.
  /// @param path The start folder.
  /// @return The chosen folder, or the empty string when cancelled or impossible.
  virtual String ChooseFolder(const String& title, const String& path) = 0;
  /// Failures are not reported.
  /// @param url Already prepared (see PrepareShellUrl).
  virtual void OpenInShell(const String& url) = 0;

  /// Text entry and the clipboard (text_input.h). A driver without them keeps these: text input
  /// stays off, and the clipboard gives the failure result with a line on standard error.
  ///@{
  /// @param on Non-zero starts text input ("TextInput" and "TextComposition" events), 0 stops it.
  virtual void SetTextInput(int on);
  /// @return 1 while text input is on, else 0.
  virtual int IsTextInputOn();
  /// Where the program's text field is, in the focused window's client coordinates.
  /// @param x The field's left column.
  /// @param y Its top row.
  /// @param width Its width.
  /// @param height Its height.
  virtual void SetTextInputArea(int x, int y, int width, int height);
  /// @return The clipboard's text; the empty string when it has none or cannot be read.
  virtual String ClipboardText();
  /// @param text What the clipboard is to hold.
  /// @return 1 when it holds it now, else 0.
  virtual int SetClipboardText(const String& text);
  ///@}
};

/// @return The current driver: SDL's unless replaced.
Ref<TSystemDriver> SystemDriver();
/// Replaces the current driver (tests and other platforms).
/// @param driver The new driver.
void SetSystemDriver(const Ref<TSystemDriver>& driver);

/// The current driver's Pump; nothing while a pump is already running (from a hook, say).
void PumpSystem();
/// The current driver's Await; nothing while a pump is already running.
void AwaitSystem();

/// The current driver's SetPointerPosition.
/// @param x Client column.
/// @param y Client row.
void MovePointer(int x, int y);
/// The current driver's SetPointerVisible(1).
void ShowPointer();
/// The current driver's SetPointerVisible(0).
void HidePointer();
/// The current driver's ShowNotice.
/// @param text The message.
/// @param serious true shows it as an error.
void ShowNotice(const String& text, bool serious = false);
/// The current driver's AskConfirm.
/// @param text The question.
/// @param serious true shows it as an error.
/// @return true for OK, else false.
bool AskConfirm(const String& text, bool serious = false);
/// The current driver's AskProceed.
/// @param text The question.
/// @param serious true shows it as an error.
/// @return 1 for Yes, 0 for No, -1 otherwise.
int AskProceed(const String& text, bool serious = false);
/// @param title The chooser's title.
/// @param extensions "Image Files:png,jpg;Text:txt" or just "png,jpg".
/// @param save true for a save chooser.
/// @param path The start path.
/// @return The chosen path, or the empty string when cancelled or impossible.
String ChooseFile(const String& title, const String& extensions = u"", bool save = false,
                  const String& path = u"");
/// @param title The chooser's title.
/// @param path The start folder.
/// @return The chosen folder, or the empty string when cancelled or impossible.
String ChooseFolder(const String& title, const String& path = u"");
/// Opens a web address, or a file or directory when the text names one, with the desktop's handler.
/// @param url The address or path.
void OpenInShell(const String& url);

/// @return The date as "07 Dec 2026", local time, always in the C locale.
String CurrentDateText();
/// @return The time as "14:05:09", local time, always in the C locale.
String CurrentTimeText();

/// Starts this part of the module once, after what it needs; StartupCorvax() covers it.
void StartupSystemDriverModule();

}  // namespace corvax
