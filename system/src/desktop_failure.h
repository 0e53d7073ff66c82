#pragma once
// The one line on standard error that says what the desktop could not do for the program, and
// why, when the caller only gets the failure result.
#include <string>

namespace corvax {

// Writes "corvax: cannot <what>: <why>" and a line end.
void ReportDesktopFailure(const std::string& what, const std::string& why);

}  // namespace corvax
