#pragma once
/// @file
/// @ingroup runtime
/// The run-once guard every module start-up shares.

namespace corvax {

/// True on the first call with this flag, false from then on; the flag records the start.
/// A start-up function begins `static bool started = false; if (!StartOnce(started)) return;`
/// so that calling it again, directly or through another module's start-up, does nothing.
inline bool StartOnce(bool& started) {
  if (started) return false;
  started = true;
  return true;
}

}  // namespace corvax
