#include "sync_probe.h"

namespace corvax {

bool SyncProbe::Record(int elapsedMs) {
  if (Confirmed()) return true;
  const int error = elapsedMs - expectedMs_;
  if (error >= -1 && error <= 1) {
    ++goodInARow_;
  } else {
    goodInARow_ = 0;
  }
  if (elapsedMs * 2 < expectedMs_) {
    ++fastInARow_;
  } else {
    fastInARow_ = 0;
  }
  return Confirmed();
}

}  // namespace corvax
