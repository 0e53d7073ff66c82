#pragma once
// Records every event broadcast while it lives, listening ahead of everything else.
#include <climits>
#include <vector>

#include <corvax/system/event.h>
#include <corvax/system/hook.h>

namespace corvax::testing {

class EventRecorder {
 public:
  EventRecorder() : events_(New<TList>()) { InstallHook(EventHookId(), &Record, events_, INT_MAX); }
  ~EventRecorder() { UninstallHook(EventHookId(), &Record, events_); }
  EventRecorder(const EventRecorder&) = delete;
  EventRecorder& operator=(const EventRecorder&) = delete;

  std::vector<Ref<TEvent>> Events() const {
    std::vector<Ref<TEvent>> events;
    for (const Ref<Object>& event : *events_) events.push_back(Cast<TEvent>(event));
    return events;
  }
  // The recorded events with this id.
  std::vector<Ref<TEvent>> Events(EventId id) const {
    std::vector<Ref<TEvent>> matching;
    for (const Ref<TEvent>& event : Events()) {
      if (event->id == id) matching.push_back(event);
    }
    return matching;
  }
  void Clear() { events_->Clear(); }

 private:
  static Ref<Object> Record(int, const Ref<Object>& data, const Ref<Object>& context) {
    if (Cast<TEvent>(data)) Cast<TList>(context)->AddLast(data);
    return data;
  }
  Ref<TList> events_;
};

}  // namespace corvax::testing
