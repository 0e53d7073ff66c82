#pragma once
#include <corvax/runtime/runtime_module.h>

namespace corvax {

enum class MessageBoxButtons { Ok, OkCancel, YesNoCancel };

// Shows a modal box owned by the focused window and returns the chosen button's result: 1 for
// OK or Yes, 0 for Cancel (OK/Cancel) or No, -1 for Cancel (Yes/No/Cancel). A box that cannot
// be shown, or is closed without a button, gives the Cancel result.
int ShowMessageBox(MessageBoxButtons buttons, const String& text, bool serious);

}  // namespace corvax
