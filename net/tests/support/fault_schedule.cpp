#include "fault_schedule.h"

namespace corvax::testing {
namespace {

std::mt19937_64 SeededGenerator(std::uint64_t seed, Direction direction) {
  std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                         static_cast<std::uint32_t>(direction)};
  return std::mt19937_64(sequence);
}

}  // namespace

FaultSchedule::FaultSchedule(const LinkFaults& faults, std::uint64_t seed, Direction direction)
    : faults_(faults),
      random_(SeededGenerator(seed, direction)),
      lostFirst_(direction == Direction::kToTarget ? faults.lostFirstToTarget : 0) {}

// Every datagram takes the same number of draws whatever its fate, so one fate never shifts
// the ones after it.
DatagramFate FaultSchedule::Next() {
  DatagramFate fate;
  fate.dropped = Share() < faults_.loss || lostFirst_ > 0;
  if (lostFirst_ > 0) --lostFirst_;
  fate.copies = Share() < faults_.duplicate ? 2 : 1;
  fate.reordered = Share() < faults_.reorder;
  for (int& delay : fate.delayMs) delay = Delay() + (fate.reordered ? faults_.reorderHoldMs : 0);
  return fate;
}

// Uniform over [0, 1) from the top 53 bits, the same on every standard library (the standard
// distributions are not).
double FaultSchedule::Share() {
  return static_cast<double>(random_() >> 11) * 0x1p-53;
}

int FaultSchedule::Delay() {
  const auto span = static_cast<std::uint64_t>(faults_.maxDelayMs - faults_.minDelayMs) + 1;
  return faults_.minDelayMs + static_cast<int>(random_() % span);
}

}  // namespace corvax::testing
