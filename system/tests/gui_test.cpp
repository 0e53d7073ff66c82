// A real SDL window on an X server of the test's own, driven by xdotool.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <regex>
#include <thread>

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>

#include <corvax/system/backend/sdl_support.h>
#include <corvax/system/key_codes.h>
#include <corvax/system/system_module.h>
#include <corvax/system/text_input.h>

#include "event_recorder.h"
#include "private_display.h"

namespace corvax {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using testing::EventRecorder;

constexpr int kWindowX = 100;
constexpr int kWindowY = 100;
constexpr int kWidth = 200;
constexpr int kHeight = 150;

bool Shell(const std::string& command) {
  return std::system(command.c_str()) == 0;
}

// What the command printed on standard output.
std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
    ::pclose(pipe);
  }
  return text;
}

// Pumps until the condition holds; false after the time limit.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 5s) {
  const auto end = Clock::now() + limit;
  for (;;) {
    PumpSystem();
    if (condition()) return true;
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(5ms);
  }
}

void PumpFor(std::chrono::milliseconds duration) {
  PumpUntil([] { return false; }, duration);
}

class Gui : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { privateDisplay_.Start(); }
  static void TearDownTestSuite() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    privateDisplay_.Stop();
  }

  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "no X display";
    if (!Shell("command -v xdotool >/dev/null")) GTEST_SKIP() << "xdotool is not installed";
    if (!Shell("command -v xwininfo >/dev/null")) GTEST_SKIP() << "xwininfo is not installed";
    StartupSystemModule();
    ASSERT_TRUE(InitSdlSubsystem(SDL_INIT_VIDEO)) << SDL_GetError();
    window_ = SDL_CreateWindow("corvax system test", kWindowX, kWindowY, kWidth, kHeight,
                               SDL_WINDOW_SHOWN);
    ASSERT_NE(window_, nullptr) << SDL_GetError();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(window_, &info));
    xid_ = std::to_string(info.info.x11.window);
    source_ = New<TList>();
    SetWindowEventSource(SDL_GetWindowID(window_), source_);
    ASSERT_TRUE(Shell("xdotool mousemove 0 0"));
    ASSERT_TRUE(Shell("xdotool windowfocus --sync " + xid_));
    PumpFor(200ms);
    recorder_ = std::make_unique<EventRecorder>();
  }
  void TearDown() override {
    recorder_.reset();
    StopPolledInput();
    ShowPointer();
    if (window_) {
      ClearWindowEventSource(SDL_GetWindowID(window_));
      SDL_DestroyWindow(window_);
    }
    PumpSystem();
  }
  bool Saw(EventId id, int data) const {
    for (const Ref<TEvent>& event : recorder_->Events(id)) {
      if (event->data == data) return true;
    }
    return false;
  }
  bool Xdo(const std::string& arguments) { return Shell("xdotool " + arguments); }

  // Where Xvfb is missing, a display given by the environment serves instead.
  static inline testing::PrivateDisplay privateDisplay_;
  SDL_Window* window_ = nullptr;
  std::string xid_;
  Ref<TList> source_;
  std::unique_ptr<EventRecorder> recorder_;
};

TEST_F(Gui, RealKeyPressesArriveAsVirtualKeyEvents) {
  ASSERT_TRUE(Xdo("key a"));
  ASSERT_TRUE(PumpUntil([&] { return Saw(EventId::KeyUp, KEY_A); }));
  EXPECT_TRUE(Saw(EventId::KeyDown, KEY_A));
  EXPECT_TRUE(Saw(EventId::KeyChar, 'a'));
  for (const Ref<TEvent>& event : recorder_->Events(EventId::KeyDown)) {
    EXPECT_TRUE(event->source == source_);
  }
  ASSERT_TRUE(Xdo("key Control_R Alt_L Return"));
  ASSERT_TRUE(PumpUntil([&] { return Saw(EventId::KeyUp, KEY_ENTER); }));
  EXPECT_TRUE(Saw(EventId::KeyDown, KEY_RCONTROL));
  EXPECT_TRUE(Saw(EventId::KeyDown, KEY_LALT));
  EXPECT_TRUE(Saw(EventId::KeyChar, 13));
  ASSERT_TRUE(Xdo("keydown Shift_L"));
  ASSERT_TRUE(PumpUntil([&] { return Saw(EventId::KeyDown, KEY_LSHIFT); }));
  EXPECT_EQ(recorder_->Events(EventId::KeyDown).back()->mods & MODIFIER_SHIFT, MODIFIER_SHIFT);
  ASSERT_TRUE(Xdo("keyup Shift_L"));
  ASSERT_TRUE(PumpUntil([&] { return Saw(EventId::KeyUp, KEY_LSHIFT); }));
  for (int generic : {16, 17, 18}) EXPECT_FALSE(Saw(EventId::KeyDown, generic));
}

TEST_F(Gui, EscapeHeldIsOneHitAcrossTenQueries) {
  StartPolledInput();
  ASSERT_TRUE(Xdo("keydown Escape"));
  ASSERT_TRUE(PumpUntil([] { return IsKeyDown(KEY_ESCAPE) == 1; }));
  EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 1);
  for (int query = 0; query < 9; ++query) {
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 0);
    EXPECT_EQ(IsKeyDown(KEY_ESCAPE), 1);
  }
  ASSERT_TRUE(Xdo("keyup Escape"));
  ASSERT_TRUE(PumpUntil([] { return IsKeyDown(KEY_ESCAPE) == 0; }));
}

TEST_F(Gui, PressReleasePressBetweenQueriesIsTwoHits) {
  StartPolledInput();
  ASSERT_TRUE(Xdo("key Escape keydown Escape"));
  ASSERT_TRUE(PumpUntil([] { return IsKeyDown(KEY_ESCAPE) == 1; }));
  PumpFor(200ms);  // the hits add up, however the presses were split over pumps
  EXPECT_EQ(KeyHitCount(KEY_ESCAPE), 2);
  ASSERT_TRUE(Xdo("keyup Escape"));
  ASSERT_TRUE(PumpUntil([] { return IsKeyDown(KEY_ESCAPE) == 0; }));
}

TEST_F(Gui, PointerEntersMovesAndLeavesAndIsHiddenOnlyInside) {
  StartPolledInput();
  HidePointer();
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);  // not over the window yet
  ASSERT_TRUE(Xdo("mousemove --window " + xid_ + " 20 30"));
  ASSERT_TRUE(PumpUntil([&] { return !recorder_->Events(EventId::MouseMove).empty(); }));
  const auto events = recorder_->Events();
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(events[0]->id, static_cast<int>(EventId::MouseEnter));
  EXPECT_EQ(events[0]->x, 20);
  EXPECT_EQ(events[0]->y, 30);
  EXPECT_TRUE(events[0]->source == source_);
  EXPECT_EQ(events[1]->id, static_cast<int>(EventId::MouseMove));
  EXPECT_EQ(PointerX(), 20);
  EXPECT_EQ(PointerY(), 30);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

  ASSERT_TRUE(Xdo("mousemove 5 5"));
  ASSERT_TRUE(PumpUntil([&] { return !recorder_->Events(EventId::MouseLeave).empty(); }));
  const Ref<TEvent> leave = recorder_->Events(EventId::MouseLeave)[0];
  EXPECT_EQ(leave->data, 0);
  EXPECT_EQ(leave->mods, 0);
  EXPECT_TRUE(leave->source == source_);
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);

  ASSERT_TRUE(Xdo("mousemove --window " + xid_ + " 50 50"));
  ASSERT_TRUE(PumpUntil([&] { return recorder_->Events(EventId::MouseEnter).size() == 2; }));
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  for (int i = 0; i < 5; ++i) HidePointer();
  ShowPointer();
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

TEST_F(Gui, MovingThePointerMovesThePositionPolledInputReportsAtOnce) {
  StartPolledInput();
  // A real move the program has not taken in yet must not undo the program's own move.
  ASSERT_TRUE(Xdo("mousemove --window " + xid_ + " 20 30"));
  MovePointer(120, 90);
  EXPECT_EQ(PointerX(), 120);
  EXPECT_EQ(PointerY(), 90);
  PumpFor(200ms);
  EXPECT_EQ(PointerX(), 120);
  EXPECT_EQ(PointerY(), 90);
  const auto moves = recorder_->Events(EventId::MouseMove);
  ASSERT_FALSE(moves.empty());
  EXPECT_TRUE(moves.back()->source == source_);
  // The system pointer went there too, in the window's coordinates.
  const std::string wanted =
      "x:" + std::to_string(kWindowX + 120) + " y:" + std::to_string(kWindowY + 90) + " ";
  EXPECT_EQ(Output("xdotool getmouselocation").rfind(wanted, 0), 0u);
}

TEST_F(Gui, ButtonsAndWheelFromTheRealPointer) {
  StartPolledInput();
  ASSERT_TRUE(Xdo("mousemove --window " + xid_ + " 40 60 click 1 click 3 click 2"));
  ASSERT_TRUE(PumpUntil([&] { return recorder_->Events(EventId::MouseUp).size() == 3; }));
  const auto downs = recorder_->Events(EventId::MouseDown);
  ASSERT_EQ(downs.size(), 3u);
  EXPECT_EQ(downs[0]->data, MOUSE_LEFT);
  EXPECT_EQ(downs[1]->data, MOUSE_RIGHT);
  EXPECT_EQ(downs[2]->data, MOUSE_MIDDLE);
  EXPECT_EQ(downs[0]->x, 40);
  EXPECT_EQ(downs[0]->y, 60);
  EXPECT_EQ(MouseHitCount(MOUSE_LEFT), 1);
  EXPECT_EQ(MouseHitCount(MOUSE_RIGHT), 1);
  EXPECT_EQ(MouseHitCount(MOUSE_MIDDLE), 1);

  ASSERT_TRUE(Xdo("click 4 click 4 click 4 click 5"));
  ASSERT_TRUE(PumpUntil([] { return WheelPosition() == 2; }));
}

TEST_F(Gui, AMoveWithAButtonHeldReportsTheButton) {
  ASSERT_TRUE(Xdo("mousemove --window " + xid_ + " 10 10 mousedown 3 mousemove --window " + xid_ +
                  " 30 30"));
  ASSERT_TRUE(PumpUntil([&] {
    const auto moves = recorder_->Events(EventId::MouseMove);
    return !moves.empty() && moves.back()->x == 30;
  }));
  EXPECT_EQ(recorder_->Events(EventId::MouseMove).back()->data, 2);
  ASSERT_TRUE(Xdo("mouseup 3"));
  ASSERT_TRUE(PumpUntil([&] { return !recorder_->Events(EventId::MouseUp).empty(); }));
}

TEST_F(Gui, ACloseRequestIsAppTerminateFromTheWindowsSource) {
  StartPolledInput();
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.windowID = SDL_GetWindowID(window_);
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  SDL_PushEvent(&close);
  ASSERT_TRUE(PumpUntil([] { return TakeAppTerminate() == 1; }));
  ASSERT_EQ(recorder_->Events(EventId::AppTerminate).size(), 1u);
  EXPECT_TRUE(recorder_->Events(EventId::AppTerminate)[0]->source == source_);
}

// Presses a key in the message box once it shows; the box blocks the main thread meanwhile.
// The box's title is UTF-8, which xdotool cannot search for, so xwininfo finds it. Should the
// key not close it in time, its X client is killed, which ends the box as cancelled.
std::thread AnswerMessageBox(const std::string& key) {
  const std::string script = R"sh(
    find_box() {
      xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "Corvax Application".*/\1/p'
    }
    for attempt in $(seq 300); do
      box=$(find_box)
      if [ -n "$box" ]; then
        timeout 10 xdotool windowfocus --sync $box key KEY
        for wait in $(seq 50); do
          [ -z "$(find_box)" ] && exit 0
          sleep 0.1
        done
        xdotool windowkill $box
        exit 1
      fi
      sleep 0.1
    done
    exit 1)sh";
  return std::thread(
      [command = std::regex_replace(script, std::regex("KEY"), key)] { Shell(command); });
}

TEST_F(Gui, MessageBoxesReturnTheButtonPressed) {
  std::thread answer = AnswerMessageBox("Escape");
  EXPECT_EQ(AskProceed(u"Cancel me", 1), -1);
  answer.join();
  answer = AnswerMessageBox("Return");
  EXPECT_EQ(AskConfirm(u"Confirm me"), 1);
  answer.join();
  answer = AnswerMessageBox("Return");
  EXPECT_EQ(AskProceed(u"Yes to me"), 1);
  answer.join();
}

// What the events of one kind carried as text, one after the other.
std::string TextOf(const std::vector<Ref<TEvent>>& events) {
  String text;
  for (const Ref<TEvent>& event : events) text += UnboxString(event->extra);
  return ToUtf8(text);
}

TEST_F(Gui, TypedTextArrivesWholeInAnyScriptWhileTextInputIsOn) {
  EXPECT_TRUE(IsTextInputActive()) << "on from the moment a window opens";
  SetTextInputArea(10, 20, 120, 18);
  // Each script from a keyboard layout that has it, as its users type it. The display is this
  // test's own, so its layouts change nothing elsewhere.
  if (!Shell("command -v setxkbmap >/dev/null")) GTEST_SKIP() << "setxkbmap is not installed";
  for (const auto& [layout, typed] :
       {std::pair{"de", "Gr\xc3\xbc\xc3\x9f"}, std::pair{"ru", "\xd0\xb6\xd1\x83\xd0\xba"},
        std::pair{"gr", "\xce\xb1\xce\xb2"}}) {
    recorder_->Clear();
    ASSERT_TRUE(Shell(std::string("setxkbmap ") + layout));
    PumpFor(100ms);
    ASSERT_TRUE(Xdo(std::string("type --delay 20 '") + typed + "'"));
    ASSERT_TRUE(PumpUntil([&] { return TextOf(recorder_->Events(EventId::TextInput)) == typed; }))
        << layout << ": " << TextOf(recorder_->Events(EventId::TextInput));
    for (const Ref<TEvent>& event : recorder_->Events(EventId::TextInput)) {
      EXPECT_TRUE(event->source == source_);
    }
  }
  ASSERT_TRUE(Shell("setxkbmap us"));
  PumpFor(100ms);

  StopTextInput();
  EXPECT_FALSE(IsTextInputActive());
  recorder_->Clear();
  ASSERT_TRUE(Xdo("key b"));
  ASSERT_TRUE(PumpUntil([&] { return Saw(EventId::KeyUp, KEY_B); }));
  EXPECT_TRUE(recorder_->Events(EventId::TextInput).empty()) << "keys, but no text";
  StartTextInput();
  EXPECT_TRUE(IsTextInputActive());
  ASSERT_TRUE(Xdo("key c"));
  ASSERT_TRUE(PumpUntil([&] { return TextOf(recorder_->Events(EventId::TextInput)) == "c"; }));
}

// Another program's view of the clipboard, read while this one pumps (it answers the request).
std::string ClipboardSeenByXclip() {
  std::string seen;
  std::thread reader([&] { seen = Output("timeout 10 xclip -o -selection clipboard"); });
  const auto end = Clock::now() + 10s;
  while (Clock::now() < end) {
    PumpSystem();
    std::this_thread::sleep_for(5ms);
    if (!seen.empty()) break;
  }
  reader.join();
  return seen;
}

TEST_F(Gui, ClipboardTextGoesToOtherProgramsAndComesFromThem) {
  if (!Shell("command -v xclip >/dev/null")) GTEST_SKIP() << "xclip is not installed";
  const String ours = u"Gr\u00fc\u00dfe, \u4e16\u754c \u0645\u0631\u062d\u0628\u0627";
  ASSERT_TRUE(SetClipboardText(ours));
  EXPECT_EQ(ClipboardText(), ours);
  EXPECT_EQ(ClipboardSeenByXclip(), ToUtf8(ours));

  ASSERT_TRUE(Shell("printf 'pasted \\316\\261' | xclip -selection clipboard -i"));
  // xclip takes the clipboard over from the background, a moment after it returns.
  String pasted;
  EXPECT_TRUE(PumpUntil([&] { return (pasted = ClipboardText()) == u"pasted \u03b1"; }))
      << ToUtf8(pasted);
  ASSERT_TRUE(SetClipboardText(u""));
  EXPECT_EQ(ClipboardText(), u"");
}

}  // namespace
}  // namespace corvax
