// Real SDL timers; rates and counts are checked loosely, as the machine may be busy.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <corvax/system/system_module.h>

#include "event_recorder.h"
#include "pause.h"

namespace corvax {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Pumps for the given time, waiting for events in between.
void PumpFor(std::chrono::milliseconds duration) {
  const auto end = Clock::now() + duration;
  while (Clock::now() < end) {
    PumpSystem();
    testing::PauseFor(2ms);
  }
}

class Timers : public ::testing::Test {
 protected:
  void SetUp() override { StartupSystemModule(); }
};

TEST_F(Timers, SixtyHertzPumpedForASecondTicksAboutSixtyTwoTimes) {
  const Ref<TTimer> timer = StartTimer(60);
  ASSERT_TRUE(timer);
  const auto end = Clock::now() + 1s;
  while (Clock::now() < end) AwaitSystem();
  const int ticks = TimerTickCount(timer);
  CancelTimer(timer);
  // 62 on an idle machine (16 ms periods); a loaded one delivers late, never early.
  EXPECT_GE(ticks, 25);
  EXPECT_LE(ticks, 66);
}

TEST_F(Timers, TheSeventeenthIsRefusedUntilOneIsCancelled) {
  std::vector<Ref<TTimer>> timers;
  for (int i = 0; i < kMaxRunningTimers; ++i) {
    timers.push_back(StartTimer(1));
    ASSERT_TRUE(timers.back()) << i;
  }
  EXPECT_FALSE(StartTimer(1));
  CancelTimer(timers[3]);
  EXPECT_EQ(timers[3]->Handle(), 0);
  const Ref<TTimer> another = StartTimer(1);
  EXPECT_TRUE(another);
  CancelTimer(another);
  for (const auto& timer : timers) CancelTimer(timer);
}

TEST_F(Timers, ImpossibleRatesAreRefused) {
  EXPECT_FALSE(StartTimer(2000));
  EXPECT_FALSE(StartTimer(0));
  EXPECT_FALSE(StartTimer(-5));
}

TEST_F(Timers, TicksWaitingWhenATimerIsCancelledAreIgnored) {
  const Ref<TTimer> timer = StartTimer(200);
  ASSERT_TRUE(timer);
  testing::PauseFor(100ms);  // ticks pile up unpumped
  CancelTimer(timer);
  PumpFor(50ms);
  EXPECT_EQ(TimerTickCount(timer), 0);
  // Cancelled timers ignore everything.
  timer->Tick();
  CancelTimer(timer);
  EXPECT_EQ(AwaitTimer(timer), 0);
  EXPECT_EQ(TimerTickCount(timer), 0);
}

TEST_F(Timers, PendingTicksOfOneTimerMergeInTheEventQueue) {
  while (NextEvent() != 0) {
  }
  const Ref<TTimer> timer = StartTimer(100);
  ASSERT_TRUE(timer);
  testing::PauseFor(150ms);
  PumpSystem();
  CancelTimer(timer);
  ASSERT_GE(TimerTickCount(timer), 2);
  EXPECT_EQ(NextEvent(), 2049);
  EXPECT_TRUE(ActiveEventSource() == timer);
  EXPECT_EQ(ActiveEventData(), TimerTickCount(timer));
  EXPECT_EQ(NextEvent(), 0);
}

TEST_F(Timers, AGivenEventIsBroadcastOnEveryTick) {
  testing::EventRecorder recorder;
  const Ref<TEvent> custom = MakeEvent(EventId::GadgetPaint, nullptr, 42);
  const Ref<TTimer> timer = StartTimer(100, custom);
  ASSERT_TRUE(timer);
  while (TimerTickCount(timer) < 3) AwaitSystem();
  CancelTimer(timer);
  const auto events = recorder.Events();
  EXPECT_EQ(static_cast<int>(events.size()), TimerTickCount(timer));
  for (const Ref<TEvent>& event : events) EXPECT_TRUE(event == custom);
}

TEST_F(Timers, AwaitTicksReportsEveryTickSinceTheLastWait) {
  const Ref<TTimer> timer = StartTimer(100);
  ASSERT_TRUE(timer);
  EXPECT_GE(AwaitTimer(timer), 1);
  testing::PauseFor(100ms);
  EXPECT_GE(AwaitTimer(timer), 3);
  int counted = 0;
  const int start = TimerTickCount(timer);
  for (int i = 0; i < 10; ++i) {
    const int passed = AwaitTimer(timer);
    EXPECT_GE(passed, 1);
    counted += passed;
  }
  EXPECT_EQ(counted, TimerTickCount(timer) - start);
  CancelTimer(timer);
}

TEST_F(Timers, ARunningTimerLivesWithoutOtherReferencesUntilCancelled) {
  Ref<TTimer> timer = StartTimer(100);
  ASSERT_TRUE(timer);
  TTimer* running = timer.get();
  timer = nullptr;
  PumpFor(50ms);
  EXPECT_NE(running->Handle(), 0);
  EXPECT_GE(running->TickCount(), 1);
  running->Cancel();
}

// A replay's ticks are the recorded ones, at the waits where they arrived; the live timer's
// own ticks meanwhile count for nothing, and no wait waits for them.
TEST_F(Timers, AReplayedRunTicksAsTheRecordedOneDidWithoutWaiting) {
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("corvax-timer-run-" + std::to_string(::getpid()) + ".cvxrun"))
                               .string();
  constexpr int kWaits = 12;
  const auto run = [] {
    const Ref<TTimer> timer = StartTimer(100);
    std::vector<int> counts;
    for (int wait = 0; wait < kWaits; ++wait) counts.push_back(AwaitTimer(timer));
    CancelTimer(timer);
    return counts;
  };
  ASSERT_TRUE(RecordRun(path.c_str()));
  const std::vector<int> recorded = run();
  ASSERT_TRUE(StopRecording());
  ASSERT_TRUE(ReplayRun(path.c_str()));
  const std::vector<int> replayed = run();
  EXPECT_FALSE(ReplayDiverged());
  StopReplay();
  std::filesystem::remove(path);
  EXPECT_EQ(replayed, recorded);
}

}  // namespace
}  // namespace corvax
