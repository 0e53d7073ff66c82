#include <windows.h>

#include "process_liveness.h"

namespace corvax::testing {

// A process is gone when no process has its id any more, or its handle is signalled (ended).
bool ProcessGone(int pid) {
  const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
  if (!process) return true;
  const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  ::CloseHandle(process);
  return ended;
}

}  // namespace corvax::testing
