// The pace of a replay, read off a pacing clock of the test's own: a replay at the recorded pace
// makes the waits the recorded run made, however fast this run draws, and a fast replay makes
// none. This file's clock stands in for the platform's (graphics_clock.h), so the library's own
// clock file is not linked.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <corvax/graphics/graphics_module.h>
#include <corvax/system/run_recording.h>
#include <corvax/system/system_module.h>

#include "fake_graphics_driver.h"
#include "graphics_clock.h"
#include "temp_dir.h"

namespace corvax {
namespace {

constexpr std::int64_t kMs = kNanosecondsPerMillisecond;

// Readings are whole milliseconds, so each wait is a whole number of them too.
struct StandInClock {
  std::int64_t now = 1000 * kMs;
  std::int64_t slept = 0;  // since the test last looked
};

StandInClock& Clock() {
  static StandInClock clock;
  return clock;
}

}  // namespace

std::int64_t MonotonicNanoseconds() {
  return Clock().now;
}

// Sleeping takes no time here: the clock jumps to the deadline.
void SleepUntilNanoseconds(std::int64_t deadline) {
  auto& clock = Clock();
  if (deadline <= clock.now) return;
  clock.slept += deadline - clock.now;
  clock.now = deadline;
}

namespace {

constexpr int kHertz = 50;  // 20 ms a frame

class ReplayPacing : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupGraphicsCoreModule();
    driver_ = New<testing::FakeGraphicsDriver>();
    SelectGraphicsDriver(driver_, 2);
  }
  void TearDown() override {
    StopRecording();
    StopReplay();
    CloseDefaultGraphics();
    SelectGraphicsDriver(nullptr, 0);
  }

  // A paced window whose frame i takes drawMs[i] to draw; how long each present waited, in
  // milliseconds.
  std::vector<std::int64_t> RunFrames(const std::vector<int>& drawMs) {
    auto& clock = Clock();
    std::vector<std::int64_t> waits;
    EXPECT_TRUE(OpenGraphics(64, 48, 0, kHertz));
    for (int draw : drawMs) {
      clock.now += draw * kMs;
      clock.slept = 0;
      PresentFrame(-1);
      waits.push_back(clock.slept / kMs);
    }
    CloseDefaultGraphics();
    return waits;
  }

  // Records a run that draws slowly, one frame past its slot; the waits it made.
  std::vector<std::int64_t> Record() {
    EXPECT_TRUE(RecordRun(path_.c_str()));
    std::vector<std::int64_t> waits = RunFrames({5, 12, 30, 2});
    EXPECT_TRUE(StopRecording());
    return waits;
  }

  Ref<testing::FakeGraphicsDriver> driver_;
  testing::TempDir folder_;
  std::string path_ = folder_ / "run.cvxrun";
};

TEST_F(ReplayPacing, AtTheRecordedPaceEachPresentWaitsAsItDidWhenRecording) {
  const std::vector<std::int64_t> recorded = Record();
  // The late third frame waited nothing and started the slots afresh.
  ASSERT_EQ(recorded, (std::vector<std::int64_t>{15, 8, 0, 18}));

  Clock().now += 500'000 * kMs;  // another run, much later
  ASSERT_TRUE(ReplayRun(path_.c_str(), ReplayPace::Recorded));
  // This run draws each frame in a millisecond, yet waits what the recorded run waited.
  EXPECT_EQ(RunFrames({1, 1, 1, 1}), recorded);
  EXPECT_FALSE(ReplayDiverged());
}

TEST_F(ReplayPacing, AFastReplayNeverWaitsAndPresentsEveryFrame) {
  Record();
  driver_->presents.clear();
  ASSERT_TRUE(ReplayRun(path_.c_str(), ReplayPace::Fast));
  EXPECT_EQ(RunFrames({1, 1, 1, 1}), (std::vector<std::int64_t>{0, 0, 0, 0}));
  EXPECT_EQ(driver_->presents, (std::vector<int>{0, 0, 0, 0}));
  EXPECT_FALSE(ReplayDiverged());
}

// Full screen without a rate waits for the retrace, as does a present that asks for it.
TEST_F(ReplayPacing, AFastReplayWaitsForNoRetraceAndTheRecordedPaceDoes) {
  const auto run = [&] {
    driver_->presents.clear();
    EXPECT_TRUE(OpenGraphics(64, 48, 32, 0));
    PresentFrame(-1);
    PresentFrame(1);
    CloseDefaultGraphics();
    return driver_->presents;
  };
  ASSERT_TRUE(RecordRun(path_.c_str()));
  EXPECT_EQ(run(), (std::vector<int>{1, 1}));
  ASSERT_TRUE(StopRecording());

  ASSERT_TRUE(ReplayRun(path_.c_str(), ReplayPace::Fast));
  EXPECT_EQ(run(), (std::vector<int>{0, 0}));
  StopReplay();
  ASSERT_TRUE(ReplayRun(path_.c_str(), ReplayPace::Recorded));
  EXPECT_EQ(run(), (std::vector<int>{1, 1}));
  EXPECT_FALSE(ReplayDiverged());
}

}  // namespace
}  // namespace corvax
