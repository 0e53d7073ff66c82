#pragma once
// Turns SDL events into framework events the way the Windows message table does, and keeps the
// platform-layer state that needs: modifiers, the window the pointer is over, pointer
// visibility and whether the application is active.
#include <cstdint>
#include <unordered_map>

#include <SDL2/SDL_events.h>

#include <corvax/system/event.h>

namespace corvax {

class SdlEventTranslator {
 public:
  void Translate(const SDL_Event& event);

  void SetWindowSource(std::uint32_t windowId, const Ref<Object>& source);
  void ClearWindowSource(std::uint32_t windowId);
  Ref<Object> WindowSource(std::uint32_t windowId) const;
  // The newest window that has a source (SDL window ids rise with each new window), 0 when none
  // has: where a pointer move goes when no window has the focus.
  std::uint32_t NewestSourceWindow() const;

  // A pointer move the program made, reported as though the pointer had moved there itself, as
  // Windows follows SetCursorPos with a WM_MOUSEMOVE: the polled position is right at once.
  void ReportPointerMovedTo(std::uint32_t windowId, int x, int y);

  // The pointer is hidden only while it is over the tracked window and hiding was asked for.
  void SetPointerWanted(bool visible);

 private:
  void TranslateKey(const SDL_KeyboardEvent& key);
  void TranslateText(const SDL_TextInputEvent& text);
  // start and length: the cursor and the selection, in characters of the UTF-8 text.
  void TranslateComposition(std::uint32_t windowId, const char* text, int start, int length);
  // Emits "AppResume" unless the application is active already.
  void ResumeBeforeInput(const Ref<Object>& source);
  void TranslateButton(const SDL_MouseButtonEvent& button);
  void TranslateMotion(const SDL_MouseMotionEvent& motion);
  void TranslateWheel(const SDL_MouseWheelEvent& wheel);
  void TranslateWindowEvent(const SDL_WindowEvent& window);
  // Switches tracking to another window (0 = none), emitting "MouseLeave" for the old one and
  // "MouseEnter" for the new.
  void TrackPointerWindow(std::uint32_t windowId, int x, int y, const Ref<Object>& source);
  void ApplyPointerVisibility() const;
  void Emit(EventId id, const Ref<Object>& source, int data, int mods, int x = 0, int y = 0);

  std::unordered_map<std::uint32_t, Ref<Object>> sources_;
  int modifiers_ = 0;
  std::uint32_t trackedWindow_ = 0;  // SDL window ids start at 1
  Ref<Object> trackedSource_;
  bool pointerWanted_ = true;
  bool appActive_ = false;
};

// The process-wide translator the driver feeds.
SdlEventTranslator& EventTranslator();

}  // namespace corvax
