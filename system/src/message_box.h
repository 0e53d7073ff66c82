#pragma once
#include <optional>
#include <string>
#include <vector>

#include <corvax/runtime/runtime_module.h>

namespace corvax {

enum class MessageBoxButtons { Ok, OkCancel, YesNoCancel };

// What a box that cannot be shown, or is closed without a button, answers: 0 for OK/Cancel,
// -1 for Yes/No/Cancel (and 0 for a notice, whose answer nobody reads).
int CancelResult(MessageBoxButtons buttons);

// SDL's modal box, owned by the focused window: 1 for OK or Yes, 0 for Cancel (OK/Cancel) or
// No, -1 for Cancel (Yes/No/Cancel). Nothing when SDL could not show it; SDL_GetError() says why.
std::optional<int> ShowSdlMessageBox(MessageBoxButtons buttons, const String& text, bool serious);

// The same box through zenity: its arguments, and the answer read from how it ended.
std::vector<std::string> ZenityMessageBoxArgs(MessageBoxButtons buttons, const String& text,
                                              bool serious);
int ZenityMessageBoxAnswer(MessageBoxButtons buttons, int exitStatus, const std::string& output);

}  // namespace corvax
