#pragma once
// The network replication is tested over: a fifth of the datagrams lost, one in twenty sent
// twice, one in twenty held back so that later ones pass it, and every one delayed by 0 to
// 80 ms (a held one 20 ms more).
#include "fault_schedule.h"

namespace corvax::testing {

inline LinkFaults BadNetwork() {
  LinkFaults faults;
  faults.loss = 0.2;
  faults.duplicate = 0.05;
  faults.reorder = 0.05;
  faults.minDelayMs = 0;
  faults.maxDelayMs = 80;
  faults.reorderHoldMs = 20;
  return faults;
}

}  // namespace corvax::testing
