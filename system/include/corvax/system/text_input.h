#pragma once
/// @file
/// @ingroup system
/// Text entry and the clipboard. While text input is on (it is from the moment a window opens),
/// what the user types arrives as "TextInput" events carrying the whole text, whatever the
/// script, and an input method's composition in progress as "TextComposition" events with the
/// text being composed and its cursor; SetTextInputArea tells the input method where the text
/// field is, so that its window appears beside it. Each call forwards to the current system
/// driver. Example: examples/text_field.cpp.
#include <corvax/runtime/runtime_module.h>

namespace corvax {

/// Starts taking text: "TextInput", "TextComposition" and "KeyChar" events.
/// @sa StopTextInput, SetTextInputArea
void StartTextInput();
/// Stops taking text, closing the input method's composition; keys still arrive as
/// "KeyDown" and "KeyUp".
void StopTextInput();
/// @return true while text input is on.
[[nodiscard]] bool IsTextInputActive();
/// Where the program's text field is, so that the input method's window appears beside it
/// rather than over it. Say it again when the field or its cursor moves.
/// @param x The field's left column, in the focused window's client coordinates.
/// @param y Its top row.
/// @param width Its width.
/// @param height Its height.
void SetTextInputArea(int x, int y, int width, int height);

/// @return The clipboard's text; the empty string when it holds none, or, with a line on
/// standard error saying why, when it cannot be read (no display).
/// @sa SetClipboardText
String ClipboardText();
/// Puts text on the clipboard, where other programs can paste it.
/// @param text The text.
/// @return true when the clipboard holds it now; false, with a line on standard error saying
/// why, when it cannot be written (no display).
bool SetClipboardText(const String& text);

}  // namespace corvax
