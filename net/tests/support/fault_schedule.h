#pragma once
// What a bad link does to each datagram it carries, drawn from a seeded generator: the same
// seed and direction give the same fates in the same order, so a failing run can be repeated.
#include <cstdint>
#include <random>

namespace corvax::testing {

// Shares are chances per datagram, from 0 to 1; a datagram's delay is uniform over
// minDelayMs..maxDelayMs.
struct LinkFaults {
  double loss = 0;
  double duplicate = 0;
  double reorder = 0;
  int minDelayMs = 0;
  int maxDelayMs = 0;
  // A reordered datagram waits this much beyond its delay, so that the ones behind it pass it.
  int reorderHoldMs = 0;
  // The first this many datagrams towards the target are lost whatever the shares: a sender
  // whose first attempts go unanswered.
  int lostFirstToTarget = 0;
};

struct DatagramFate {
  static constexpr int kMaxCopies = 2;
  bool dropped = false;
  bool reordered = false;
  // 2 for a duplicated datagram; each copy has its own delay.
  int copies = 1;
  int delayMs[kMaxCopies] = {};
};

// The two directions of a link draw from separate streams of the same seed.
enum class Direction { kToTarget, kFromTarget };

class FaultSchedule {
 public:
  FaultSchedule(const LinkFaults& faults, std::uint64_t seed, Direction direction);

  // The fate of the next datagram.
  DatagramFate Next();

 private:
  double Share();
  int Delay();

  LinkFaults faults_;
  std::mt19937_64 random_;
  int lostFirst_;
};

}  // namespace corvax::testing
