#include "polled_input_state.h"

namespace corvax {
namespace {

template <std::size_t N>
bool InRange(const std::array<int, N>&, int index) {
  return index >= 0 && index < static_cast<int>(N);
}

// Only a press from up counts: auto-repeat adds nothing.
template <std::size_t N>
void Press(std::array<int, N>& down, std::array<int, N>& hits, int index) {
  if (!InRange(down, index) || down[index]) return;
  down[index] = 1;
  ++hits[index];
}

template <std::size_t N>
void Release(std::array<int, N>& down, int index) {
  if (InRange(down, index)) down[index] = 0;
}

template <std::size_t N>
int Take(std::array<int, N>& counts, int index) {
  if (!InRange(counts, index)) return 0;
  const int count = counts[index];
  counts[index] = 0;
  return count;
}

template <std::size_t N>
int Read(const std::array<int, N>& values, int index) {
  return InRange(values, index) ? values[index] : 0;
}

}  // namespace

void PolledInputState::Record(const TEvent& event) {
  switch (static_cast<EventId>(event.id)) {
    case EventId::AppSuspend:
      ClearKeys();
      ClearMouse();
      suspended_ = 1;
      break;
    case EventId::AppResume:
      ClearKeys();
      ClearMouse();
      suspended_ = 0;
      break;
    case EventId::AppTerminate:
      terminate_ = 1;
      break;
    case EventId::KeyDown:
      Press(keyDown_, keyHits_, event.data);
      break;
    case EventId::KeyUp:
      Release(keyDown_, event.data);
      break;
    case EventId::KeyChar:
      if (charPut_ - charTake_ < kCharCapacity) chars_[charPut_++ % kCharCapacity] = event.data;
      break;
    case EventId::MouseDown:
      Press(mouseDown_, mouseHits_, event.data);
      break;
    case EventId::MouseUp:
      Release(mouseDown_, event.data);
      break;
    case EventId::MouseMove:
      pointerX_ = event.x;
      pointerY_ = event.y;
      break;
    case EventId::MouseWheel:
      wheel_ += event.data;
      break;
    default:
      break;
  }
}

int PolledInputState::TakeKeyHits(int key) {
  return Take(keyHits_, key);
}
int PolledInputState::KeyDown(int key) const {
  return Read(keyDown_, key);
}

int PolledInputState::TakeChar() {
  if (charPut_ == charTake_) return 0;
  return chars_[charTake_++ % kCharCapacity];
}

int PolledInputState::TakeMouseHits(int button) {
  return Take(mouseHits_, button);
}
int PolledInputState::MouseDown(int button) const {
  return Read(mouseDown_, button);
}

int PolledInputState::TakeTerminate() {
  const int requested = terminate_;
  terminate_ = 0;
  return requested;
}

void PolledInputState::ClearKeys() {
  keyDown_.fill(0);
  keyHits_.fill(0);
  charPut_ = 0;
  charTake_ = 0;
}

void PolledInputState::ClearMouse() {
  mouseDown_.fill(0);
  mouseHits_.fill(0);
  wheel_ = 0;
}

}  // namespace corvax
