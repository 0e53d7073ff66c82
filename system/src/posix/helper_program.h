#pragma once
// Desktop helper programs (zenity, kdialog) run as children: what they printed and how they
// ended, or why they could not be started.
#include <optional>
#include <string>
#include <vector>

namespace corvax {

struct HelperRun {
  std::string program;
  bool started = false;
  int startError = 0;   // errno of the failed start
  int exitStatus = -1;  // -1 when the program was killed by a signal
  std::string output;   // standard output, without its last line end
  std::string errors;   // standard error
};

// Runs the program, found on the PATH, with standard input from /dev/null, and waits for it.
HelperRun RunHelperProgram(const std::string& program, const std::vector<std::string>& args);

// True when the program ran and gave its answer or was cancelled by the user (status 0 or 1),
// false when it could not show itself at all: not started, failed otherwise, or (GTK's way of
// failing with status 1) unable to open the display.
bool HelperShowed(const HelperRun& run);

// Whether an executable of that name is on the PATH.
bool ProgramOnPath(const std::string& program);

// Why a run gave no answer, in a few words for a failure line: "not installed", the start error,
// or the exit status with the last line the program wrote on standard error.
std::string HelperFailure(const HelperRun& run);

}  // namespace corvax
