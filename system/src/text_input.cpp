#include <corvax/system/text_input.h>

#include <corvax/system/system_driver.h>

namespace corvax {

void StartTextInput() {
  SystemDriver()->SetTextInput(1);
}

void StopTextInput() {
  SystemDriver()->SetTextInput(0);
}

bool IsTextInputActive() {
  return SystemDriver()->IsTextInputOn() != 0;
}

void SetTextInputArea(int x, int y, int width, int height) {
  SystemDriver()->SetTextInputArea(x, y, width, height);
}

String ClipboardText() {
  return SystemDriver()->ClipboardText();
}

bool SetClipboardText(const String& text) {
  return SystemDriver()->SetClipboardText(text) != 0;
}

}  // namespace corvax
