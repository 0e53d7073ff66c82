#include "sdl_event_translator.h"

#include <algorithm>

#include <SDL2/SDL.h>

#include <corvax/runtime/immortal.h>
#include <corvax/system/backend/run_gate.h>
#include "sdl_input_codes.h"

namespace corvax {
namespace {

bool VideoRunning() {
  return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

// SDL counts the composition's cursor and selection in characters; events count UTF-16 units,
// as Strings do. Counts beyond the text end at its end.
int UnitsBefore(const String& text, int characters) {
  int units = 0;
  for (int counted = 0; counted < characters && units < static_cast<int>(text.size()); ++counted) {
    const bool pair =
        text[units] >= 0xD800 && text[units] < 0xDC00 && units + 1 < static_cast<int>(text.size());
    units += pair ? 2 : 1;
  }
  return units;
}

}  // namespace

SdlEventTranslator& EventTranslator() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const translator = &MakeImmortal<SdlEventTranslator>();
  return *translator;
}

void SdlEventTranslator::Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event.key);
      break;
    case SDL_TEXTINPUT:
      TranslateText(event.text);
      break;
    case SDL_TEXTEDITING:
      TranslateComposition(event.edit.windowID, event.edit.text, event.edit.start,
                           event.edit.length);
      break;
    case SDL_TEXTEDITING_EXT:
      TranslateComposition(event.editExt.windowID, event.editExt.text, event.editExt.start,
                           event.editExt.length);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      TranslateButton(event.button);
      break;
    case SDL_MOUSEMOTION:
      TranslateMotion(event.motion);
      break;
    case SDL_MOUSEWHEEL:
      TranslateWheel(event.wheel);
      break;
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(event.window);
      break;
    default:
      break;
  }
}

void SdlEventTranslator::TranslateKey(const SDL_KeyboardEvent& key) {
  modifiers_ = ModifierBitsFromSdl(key.keysym.mod);
  const int code = VirtualKeyFromSdl(key.keysym.scancode, key.keysym.sym, key.keysym.mod);
  if (code < 1 || code > 255) return;
  const Ref<Object> source = WindowSource(key.windowID);
  ResumeBeforeInput(source);
  if (key.type == SDL_KEYUP) {
    Emit(EventId::KeyUp, source, code, modifiers_);
    return;
  }
  Emit(key.repeat ? EventId::KeyRepeat : EventId::KeyDown, source, code, modifiers_);
  // SDL types no text for these, Windows does, on every press and repeat.
  if (const int character = ControlCharacterForKey(code)) {
    Emit(EventId::KeyChar, source, character, modifiers_);
  }
}

// Only the window with the keyboard focus receives keys, so a key proves the application active.
// X11 reports that focus late (SDL holds it back a moment) and keys typed meanwhile arrive
// first; Windows activates the application before it delivers any. Resuming here keeps that
// order, so the late focus event is no change and cannot clear the key that came before it.
void SdlEventTranslator::ResumeBeforeInput(const Ref<Object>& source) {
  if (appActive_) return;
  appActive_ = true;
  Emit(EventId::AppResume, source, 0, modifiers_);
}

void SdlEventTranslator::TranslateText(const SDL_TextInputEvent& text) {
  const Ref<Object> source = WindowSource(text.windowID);
  const String typed = FromUtf8(text.text);
  for (char16_t unit : typed) Emit(EventId::KeyChar, source, unit, modifiers_);
  if (!typed.empty()) {
    BroadcastEvent(MakeEvent(EventId::TextInput, source, 0, modifiers_, 0, 0, Box(typed)));
  }
}

void SdlEventTranslator::TranslateComposition(std::uint32_t windowId, const char* text, int start,
                                              int length) {
  const String composed = FromUtf8(text ? text : "");
  const int cursor = UnitsBefore(composed, std::max(start, 0));
  const int selected = UnitsBefore(composed, std::max(start, 0) + std::max(length, 0)) - cursor;
  BroadcastEvent(MakeEvent(EventId::TextComposition, WindowSource(windowId), cursor, modifiers_,
                           selected, 0, Box(composed)));
}

void SdlEventTranslator::TranslateButton(const SDL_MouseButtonEvent& button) {
  const int code = MouseButtonFromSdl(button.button);
  if (code == 0) return;
  // Held buttons keep the pointer's moves coming even outside the window.
  if (VideoRunning()) SDL_CaptureMouse(button.state == SDL_PRESSED ? SDL_TRUE : SDL_FALSE);
  Emit(button.state == SDL_PRESSED ? EventId::MouseDown : EventId::MouseUp,
       WindowSource(button.windowID), code, modifiers_, button.x, button.y);
}

void SdlEventTranslator::TranslateMotion(const SDL_MouseMotionEvent& motion) {
  const Ref<Object> source = WindowSource(motion.windowID);
  SDL_Window* window = VideoRunning() ? SDL_GetWindowFromID(motion.windowID) : nullptr;
  bool inside = false;
  if (window) {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    inside = motion.x >= 0 && motion.y >= 0 && motion.x < width && motion.y < height;
  }
  TrackPointerWindow(inside ? motion.windowID : 0, motion.x, motion.y, source);
  Emit(EventId::MouseMove, source, HeldButtonDataFromSdl(motion.state), modifiers_, motion.x,
       motion.y);
}

void SdlEventTranslator::TranslateWheel(const SDL_MouseWheelEvent& wheel) {
  const int notches = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.y : wheel.y;
  if (notches == 0) return;
  Emit(EventId::MouseWheel, WindowSource(wheel.windowID), notches, modifiers_);
}

void SdlEventTranslator::TranslateWindowEvent(const SDL_WindowEvent& window) {
  const Ref<Object> source = WindowSource(window.windowID);
  switch (window.event) {
    case SDL_WINDOWEVENT_CLOSE:
      Emit(EventId::AppTerminate, source, 0, modifiers_);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      // Focus moving between two of our windows is no change for the application.
      ResumeBeforeInput(source);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (appActive_ && !SDL_GetKeyboardFocus()) {
        appActive_ = false;
        Emit(EventId::AppSuspend, source, 0, modifiers_);
      }
      break;
    case SDL_WINDOWEVENT_LEAVE:
      if (window.windowID == trackedWindow_) TrackPointerWindow(0, 0, 0, nullptr);
      break;
    default:
      break;
  }
}

void SdlEventTranslator::TrackPointerWindow(std::uint32_t windowId, int x, int y,
                                            const Ref<Object>& source) {
  if (windowId == trackedWindow_) return;
  if (trackedWindow_ != 0) {
    const Ref<Object> leaving = std::move(trackedSource_);
    int leaveX = 0;
    int leaveY = 0;
    if (SDL_Window* window = VideoRunning() ? SDL_GetWindowFromID(trackedWindow_) : nullptr) {
      int windowX = 0;
      int windowY = 0;
      SDL_GetGlobalMouseState(&leaveX, &leaveY);
      SDL_GetWindowPosition(window, &windowX, &windowY);
      leaveX -= windowX;
      leaveY -= windowY;
    }
    trackedWindow_ = 0;
    Emit(EventId::MouseLeave, leaving, 0, 0, leaveX, leaveY);
  }
  trackedWindow_ = windowId;
  if (windowId != 0) trackedSource_ = source;
  ApplyPointerVisibility();
  if (windowId != 0) Emit(EventId::MouseEnter, source, 0, 0, x, y);
}

void SdlEventTranslator::SetPointerWanted(bool visible) {
  pointerWanted_ = visible;
  ApplyPointerVisibility();
}

void SdlEventTranslator::ApplyPointerVisibility() const {
  if (!VideoRunning()) return;
  const bool show = pointerWanted_ || trackedWindow_ == 0;
  SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void SdlEventTranslator::SetWindowSource(std::uint32_t windowId, const Ref<Object>& source) {
  if (source) {
    sources_[windowId] = source;
  } else {
    sources_.erase(windowId);
  }
}

void SdlEventTranslator::ClearWindowSource(std::uint32_t windowId) {
  sources_.erase(windowId);
  if (windowId == trackedWindow_) {
    trackedWindow_ = 0;
    trackedSource_ = nullptr;
    ApplyPointerVisibility();
  }
}

Ref<Object> SdlEventTranslator::WindowSource(std::uint32_t windowId) const {
  const auto found = sources_.find(windowId);
  return found == sources_.end() ? Ref<Object>() : found->second;
}

std::uint32_t SdlEventTranslator::NewestSourceWindow() const {
  std::uint32_t newest = 0;
  for (const auto& [windowId, source] : sources_) newest = std::max(newest, windowId);
  return newest;
}

void SdlEventTranslator::ReportPointerMovedTo(std::uint32_t windowId, int x, int y) {
  SDL_MouseMotionEvent motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.timestamp = SDL_GetTicks();
  motion.windowID = windowId;
  motion.state = VideoRunning() ? SDL_GetMouseState(nullptr, nullptr) : 0;
  motion.x = x;
  motion.y = y;
  TranslateMotion(motion);
}

void SdlEventTranslator::Emit(EventId id, const Ref<Object>& source, int data, int mods, int x,
                              int y) {
  DeliverSystemEvent(MakeEvent(id, source, data, mods, x, y));
}

}  // namespace corvax
