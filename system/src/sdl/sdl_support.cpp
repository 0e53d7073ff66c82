#include <corvax/runtime/immortal.h>
#include <corvax/system/backend/run_gate.h>
#include <corvax/system/backend/sdl_support.h>

#include <algorithm>
#include <vector>

#include <SDL2/SDL.h>

#include "sdl_dispatch.h"
#include "sdl_event_translator.h"

namespace corvax {
namespace {

std::vector<SdlEventWatcher>& Watchers() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const watchers = &MakeImmortal<std::vector<SdlEventWatcher>>();
  return *watchers;
}

}  // namespace

bool InitSdlSubsystem(std::uint32_t flags) {
  static const bool hinted = [] {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Compositions longer than SDL's fixed 32-byte event arrive whole, not cut short.
    SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
    // Windows: the input method shows its own candidate window beside the text field.
    SDL_SetHint(SDL_HINT_IME_SHOW_UI, "1");
    return true;
  }();
  (void)hinted;
  if (SDL_WasInit(flags) == flags) return true;
  return SDL_InitSubSystem(flags) == 0;
}

void AddSdlEventWatcher(SdlEventWatcher watcher) {
  Watchers().push_back(watcher);
}

void RemoveSdlEventWatcher(SdlEventWatcher watcher) {
  auto& watchers = Watchers();
  const auto found = std::find(watchers.begin(), watchers.end(), watcher);
  if (found != watchers.end()) watchers.erase(found);
}

namespace {

// A long composition's text belongs to whoever retrieved the event.
class EventRelease {
 public:
  explicit EventRelease(const SDL_Event& event) : event_(event) {}
  ~EventRelease() {
    if (event_.type == SDL_TEXTEDITING_EXT) SDL_free(event_.editExt.text);
  }
  EventRelease(const EventRelease&) = delete;
  EventRelease& operator=(const EventRelease&) = delete;

 private:
  const SDL_Event& event_;
};

}  // namespace

void DispatchSdlEvent(const SDL_Event& event) {
  const EventRelease release(event);
  // A copy, so a watcher may add or remove watchers while it runs.
  const std::vector<SdlEventWatcher> watchers = Watchers();
  for (SdlEventWatcher watcher : watchers) {
    if (watcher(event)) return;
  }
  EventTranslator().Translate(event);
}

void SetWindowEventSource(std::uint32_t windowId, const Ref<Object>& source) {
  EventTranslator().SetWindowSource(windowId, source);
  NoteWindowSource(source);
}

void ClearWindowEventSource(std::uint32_t windowId) {
  EventTranslator().ClearWindowSource(windowId);
}

Ref<Object> WindowEventSource(std::uint32_t windowId) {
  return EventTranslator().WindowSource(windowId);
}

}  // namespace corvax
