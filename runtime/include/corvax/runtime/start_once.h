#pragma once
/// @file
/// @ingroup runtime
/// The run-once guard every module start-up shares.

namespace corvax {

/// The run-once test a start-up function begins with: `static bool started = false; if
/// (!StartOnce(started)) return;` so that calling it again, directly or through another module's
/// start-up, does nothing.
/// @param started The flag that records the start.
/// @return True on the first call with this flag, false from then on.
inline bool StartOnce(bool& started) {
  if (started) return false;
  started = true;
  return true;
}

}  // namespace corvax
