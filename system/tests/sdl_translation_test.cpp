// SDL events pushed into SDL's queue, pumped by the desktop driver; no display needed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include <SDL2/SDL.h>

#include <corvax/system/backend/sdl_support.h>
#include <corvax/system/key_codes.h>
#include <corvax/system/system_module.h>

#include "environment.h"
#include "event_recorder.h"

namespace corvax {
namespace {

using testing::EventRecorder;

constexpr Uint32 kWindowId = 7;  // no window needs to exist for the source to be found

class Translation : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::UnsetEnvironment("DISPLAY");
    testing::UnsetEnvironment("WAYLAND_DISPLAY");
    StartupSystemModule();
    ASSERT_TRUE(InitSdlSubsystem(SDL_INIT_EVENTS));
    source_ = New<TList>();
    SetWindowEventSource(kWindowId, source_);
    // Every test starts with the application active, as a program's first window makes it.
    PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    PumpSystem();
    recorder_ = std::make_unique<EventRecorder>();
  }
  void TearDown() override {
    recorder_.reset();
    ClearWindowEventSource(kWindowId);
  }

  static void PushKey(Uint32 type, SDL_Scancode scancode, SDL_Keycode keycode, Uint16 mods,
                      Uint8 repeat = 0) {
    SDL_Event event{};
    event.type = type;
    event.key.windowID = kWindowId;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = keycode;
    event.key.keysym.mod = mods;
    SDL_PushEvent(&event);
  }
  static void PushWindowEvent(Uint8 what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = kWindowId;
    event.window.event = what;
    SDL_PushEvent(&event);
  }
  // id, data and mods of what the pump broadcast, as text for readable failures.
  std::vector<std::string> Pumped() {
    PumpSystem();
    std::vector<std::string> seen;
    for (const Ref<TEvent>& event : recorder_->Events()) {
      EXPECT_TRUE(event->source == source_) << ToUtf8(event->ToString());
      seen.push_back(ToUtf8(EventName(event->id)) + " " + std::to_string(event->data) + " " +
                     std::to_string(event->mods));
    }
    recorder_->Clear();
    return seen;
  }

  Ref<TList> source_;
  std::unique_ptr<EventRecorder> recorder_;
};

using Seen = std::vector<std::string>;

TEST_F(Translation, KeysCarryVirtualKeyCodesAndModifiers) {
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_A, SDLK_a, KMOD_LSHIFT);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_A, SDLK_a, KMOD_LSHIFT, 1);
  PushKey(SDL_KEYUP, SDL_SCANCODE_A, SDLK_a, KMOD_LSHIFT);
  PushKey(SDL_KEYUP, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_NONE);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_RCTRL, SDLK_RCTRL, KMOD_RCTRL);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_LALT, SDLK_LALT, KMOD_RCTRL | KMOD_LALT);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_UNKNOWN, SDLK_UNKNOWN, KMOD_NONE);
  EXPECT_EQ(Pumped(), (Seen{"KeyDown 160 1", "KeyDown 65 1", "KeyRepeat 65 1", "KeyUp 65 1",
                            "KeyUp 160 0", "KeyDown 163 2", "KeyDown 164 6"}));
}

TEST_F(Translation, ControlKeysAndTextTypeCharacters) {
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KMOD_NONE);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, KMOD_NONE, 1);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_TAB, SDLK_TAB, KMOD_NONE);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, KMOD_NONE);
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  text.text.windowID = kWindowId;
  std::strcpy(text.text.text, "\xc3\xa9\xf0\x9f\x98\x80");  // é and an emoji
  SDL_PushEvent(&text);
  EXPECT_EQ(Pumped(),
            (Seen{"KeyDown 27 0", "KeyChar 27 0", "KeyRepeat 8 0", "KeyChar 8 0", "KeyDown 9 0",
                  "KeyChar 9 0", "KeyDown 13 0", "KeyChar 13 0", "KeyChar 233 0", "KeyChar 55357 0",
                  "KeyChar 56832 0", "TextInput 0 0"}));
}

TEST_F(Translation, TextArrivesWholeAndCompositionsWithTheirCursor) {
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  text.text.windowID = kWindowId;
  std::strcpy(text.text.text, "\xd8\xb3\xd9\x84\xd8\xa7\xd9\x85");  // Arabic "salaam"
  SDL_PushEvent(&text);
  SDL_Event edit{};
  edit.type = SDL_TEXTEDITING;
  edit.edit.windowID = kWindowId;
  std::strcpy(edit.edit.text,
              "a\xf0\x9f\x98\x80"
              "b");      // a, an emoji, b
  edit.edit.start = 2;   // after the emoji
  edit.edit.length = 1;  // b selected
  SDL_PushEvent(&edit);
  edit.edit.text[0] = 0;  // the composition ends without text
  edit.edit.start = 0;
  edit.edit.length = 0;
  SDL_PushEvent(&edit);
  // Longer than SDL's fixed event holds: the text comes on the heap, ours to free.
  const std::string longText(100, 'k');
  SDL_Event editLong{};
  editLong.type = SDL_TEXTEDITING_EXT;
  editLong.editExt.windowID = kWindowId;
  editLong.editExt.text = SDL_strdup(longText.c_str());
  editLong.editExt.start = 200;  // past the end: at the end
  editLong.editExt.length = 5;
  SDL_PushEvent(&editLong);
  PumpSystem();
  std::vector<std::string> seen;
  for (const Ref<TEvent>& event : recorder_->Events()) {
    if (event->id == EventId::KeyChar) continue;
    EXPECT_TRUE(event->source == source_);
    seen.push_back(ToUtf8(EventName(event->id)) + " " + std::to_string(event->data) + " " +
                   std::to_string(event->x) + " \"" + ToUtf8(UnboxString(event->extra)) + "\"");
  }
  EXPECT_EQ(seen, (Seen{"TextInput 0 0 \"\xd8\xb3\xd9\x84\xd8\xa7\xd9\x85\"",
                        "TextComposition 3 1 \"a\xf0\x9f\x98\x80"
                        "b\"",
                        "TextComposition 0 0 \"\"", "TextComposition 100 0 \"" + longText + "\""}));
}

TEST_F(Translation, MouseButtonsMovesAndWheelNotches) {
  SDL_Event event{};
  event.type = SDL_MOUSEBUTTONDOWN;
  event.button = {SDL_MOUSEBUTTONDOWN, 0, kWindowId, 0, SDL_BUTTON_RIGHT, SDL_PRESSED, 1, 0, 5, 6};
  SDL_PushEvent(&event);
  event.button.button = SDL_BUTTON_X1;
  SDL_PushEvent(&event);
  event.type = SDL_MOUSEBUTTONUP;
  event.button = {SDL_MOUSEBUTTONUP, 0, kWindowId, 0, SDL_BUTTON_MIDDLE, SDL_RELEASED, 1, 0, 7, 8};
  SDL_PushEvent(&event);
  event = {};
  event.motion = {
      SDL_MOUSEMOTION, 0, kWindowId, 0, SDL_BUTTON_LMASK | SDL_BUTTON_MMASK, -4, 9, 0, 0};
  SDL_PushEvent(&event);
  for (int notches : {1, -2, 0}) {
    event = {};
    event.wheel.type = SDL_MOUSEWHEEL;
    event.wheel.windowID = kWindowId;
    event.wheel.y = notches;
    SDL_PushEvent(&event);
  }
  event.wheel.y = 3;
  event.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  SDL_PushEvent(&event);
  EXPECT_EQ(Pumped(), (Seen{"MouseDown 2 0", "MouseUp 3 0", "MouseMove 4 0", "MouseWheel 1 0",
                            "MouseWheel -2 0", "MouseWheel -3 0"}));
}

TEST_F(Translation, CloseAndFocusBecomeApplicationEvents) {
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);  // no second resume
  PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  PushWindowEvent(SDL_WINDOWEVENT_RESIZED);
  EXPECT_EQ(Pumped(),
            (Seen{"AppSuspend 0 0", "AppResume 0 0", "AppTerminate 0 0", "AppSuspend 0 0"}));
}

// X11 reports a new window's focus a moment late, after keys typed at once: the key resumes the
// application first, the late focus event is no change, and the key's hit is still there.
TEST_F(Translation, AKeyBeforeTheFocusEventResumesFirstAndKeepsItsHit) {
  StartPolledInput();
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  PumpSystem();
  recorder_->Clear();
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KMOD_NONE);
  PushKey(SDL_KEYUP, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KMOD_NONE);
  PushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  EXPECT_EQ(Pumped(), (Seen{"AppResume 0 0", "KeyDown 27 0", "KeyChar 27 0", "KeyUp 27 0"}));
  EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 1);
  StopPolledInput();
}

TEST_F(Translation, EventsOfUnnamedWindowsHaveNoSource) {
  recorder_->Clear();
  SDL_Event event{};
  event.key = {SDL_KEYDOWN, 0, 99, SDL_PRESSED, 0, 0, 0, {SDL_SCANCODE_B, SDLK_b, 0, 0}};
  SDL_PushEvent(&event);
  PumpSystem();
  ASSERT_EQ(recorder_->Events().size(), 1u);
  EXPECT_FALSE(recorder_->Events()[0]->source);
  EXPECT_TRUE(WindowEventSource(kWindowId) == source_);
  EXPECT_FALSE(WindowEventSource(99));
}

bool consumeKeys = false;
bool ConsumeKeys(const SDL_Event& event) {
  return consumeKeys && event.type == SDL_KEYDOWN;
}

TEST_F(Translation, WatchersSeeEventsFirstAndMayConsumeThem) {
  AddSdlEventWatcher(&ConsumeKeys);
  consumeKeys = true;
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_C, SDLK_c, KMOD_NONE);
  EXPECT_EQ(Pumped(), Seen{});
  RemoveSdlEventWatcher(&ConsumeKeys);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_C, SDLK_c, KMOD_NONE);
  EXPECT_EQ(Pumped(), Seen{"KeyDown 67 0"});
}

TEST_F(Translation, PolledInputSeesPushedKeysThroughThePump) {
  StartPolledInput();
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KMOD_NONE);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KMOD_NONE, 1);
  EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 1);
  EXPECT_EQ(IsKeyDown(KEY_ESCAPE), 1);
  EXPECT_EQ(NextChar(), 27);
  PushKey(SDL_KEYUP, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KMOD_NONE);
  EXPECT_EQ(IsKeyDown(KEY_ESCAPE), 0);
  StopPolledInput();
}

}  // namespace
}  // namespace corvax
