#pragma once
// The event queue's storage: 256 pending events, oldest first, with merging of repeated
// notifications so a slow reader sees their latest state instead of a backlog.
#include <array>
#include <cstdint>

#include <corvax/system/event.h>

namespace corvax {

class TEventRing {
 public:
  static constexpr int kCapacity = 256;

  // With merge, the oldest pending event of the same id and source (by identity) takes over
  // the new event's data, mods, x, y and extra and keeps its place. Otherwise, or when none
  // matches, the event is appended; a full ring drops it silently. Null is ignored.
  void Put(const Ref<TEvent>& event, bool merge);
  // The oldest event, removed; Null when empty.
  Ref<TEvent> Take();
  // The oldest event, left in place; Null when empty.
  Ref<TEvent> Peek() const;
  int Count() const { return static_cast<int>(put_ - take_); }

 private:
  static std::size_t Slot(std::uint32_t counter) { return counter & (kCapacity - 1); }
  std::array<Ref<TEvent>, kCapacity> slots_;
  // Only the difference and the low bits are used, so wrap-around is harmless.
  std::uint32_t put_ = 0;
  std::uint32_t take_ = 0;
};

}  // namespace corvax
