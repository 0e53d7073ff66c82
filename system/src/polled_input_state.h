#pragma once
// The state polled input keeps from the event stream: which keys and buttons are held, how
// often each went down since it was last asked, typed characters, pointer and wheel.
#include <array>
#include <cstdint>

#include <corvax/system/event.h>

namespace corvax {

class PolledInputState {
 public:
  static constexpr int kKeyCount = 256;
  static constexpr int kButtonCount = 4;
  static constexpr int kCharCapacity = 256;

  // Updates the state from one event; codes and buttons outside the arrays are ignored.
  void Record(const TEvent& event);

  // Counts reset when they are read.
  int TakeKeyHits(int key);
  int KeyDown(int key) const;
  // The oldest typed character, or 0 when none waits.
  int TakeChar();
  int TakeMouseHits(int button);
  int MouseDown(int button) const;
  int PointerX() const { return pointerX_; }
  int PointerY() const { return pointerY_; }
  int Wheel() const { return wheel_; }
  int Suspended() const { return suspended_; }
  int TakeTerminate();

  void ClearKeys();
  // The pointer position stays.
  void ClearMouse();

 private:
  std::array<int, kKeyCount> keyDown_{};
  std::array<int, kKeyCount> keyHits_{};
  std::array<int, kCharCapacity> chars_{};
  std::uint32_t charPut_ = 0;
  std::uint32_t charTake_ = 0;
  std::array<int, kButtonCount> mouseDown_{};
  std::array<int, kButtonCount> mouseHits_{};
  int pointerX_ = 0;
  int pointerY_ = 0;
  int wheel_ = 0;
  int suspended_ = 0;
  int terminate_ = 0;
};

}  // namespace corvax
