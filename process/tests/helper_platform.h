#pragma once
// What the process tests' child program does differently per platform.
#include <string>

namespace corvax::testing {

// This process's id, as TProcess::ProcessId reports it from the parent's side.
int OwnProcessId();
// Ignores the requests to end that a program may refuse (SIGTERM, SIGINT and SIGHUP on POSIX;
// Windows sends none).
void IgnorePoliteEndRequests();
// Acts out a mode only this platform has (POSIX: families made with fork); false when the mode
// is not one of them.
bool RunPlatformMode(const std::string& mode, int argc, char** argv);

}  // namespace corvax::testing
