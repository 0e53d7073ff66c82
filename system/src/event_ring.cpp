#include "event_ring.h"

namespace corvax {

void TEventRing::Put(const Ref<TEvent>& event, bool merge) {
  if (!event) return;
  if (merge) {
    for (std::uint32_t counter = take_; counter != put_; ++counter) {
      TEvent* queued = slots_[Slot(counter)].get();
      if (queued->id == event->id && queued->source == event->source) {
        queued->data = event->data;
        queued->mods = event->mods;
        queued->x = event->x;
        queued->y = event->y;
        queued->extra = event->extra;
        return;
      }
    }
  }
  if (Count() >= kCapacity) return;
  slots_[Slot(put_)] = event;
  ++put_;
}

Ref<TEvent> TEventRing::Take() {
  if (put_ == take_) return nullptr;
  Ref<TEvent> event = std::move(slots_[Slot(take_)]);
  slots_[Slot(take_)] = nullptr;
  ++take_;
  return event;
}

Ref<TEvent> TEventRing::Peek() const {
  if (put_ == take_) return nullptr;
  return slots_[Slot(take_)];
}

}  // namespace corvax
