#pragma once
// Whether a process the tests know only by its id has ended, asked of the operating system.

namespace corvax::testing {

// True once the process has ended (on POSIX also while it waits, ended, for its parent to
// reap it).
bool ProcessGone(int pid);

}  // namespace corvax::testing
