// Recording and replaying a run through a stand-in platform: what a replay delivers is what was
// recorded, at the same points, and nothing live; a divergence is said once and ends it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <corvax/stream/open_url.h>
#include <corvax/stream/random.h>
#include <corvax/system/backend/run_gate.h>
#include <corvax/system/backend/sdl_support.h>
#include <corvax/system/system_module.h>

#include "event_recorder.h"
#include "fake_driver.h"

namespace corvax {
namespace {

// A platform whose input reaches the program the way real input does: through the run gate.
class GatedDriver : public testing::FakeDriver {
 public:
  void Hand(const Ref<TEvent>& event) override { DeliverSystemEvent(event); }
};

class RunRecording : public ::testing::Test {
 protected:
  void SetUp() override {
    StartupSystemModule();
    driver_ = New<GatedDriver>();
    SetSystemDriver(driver_);
    path_ = (std::filesystem::temp_directory_path() /
             ("corvax-run-" + std::to_string(::getpid()) + ".cvxrun"))
                .string();
  }
  void TearDown() override {
    StopRecording();
    StopReplay();
    std::filesystem::remove(path_);
  }

  // A program's few frames: it pumps, reads the clock and presents, as a game loop does.
  struct Seen {
    std::vector<std::string> events;
    std::vector<std::int64_t> clocks;
  };
  Seen RunProgram(int frames) {
    Seen seen;
    testing::EventRecorder recorder;
    for (int frame = 0; frame < frames; ++frame) {
      PumpSystem();
      PumpSystem();
      seen.clocks.push_back(ReadRunClock(RunClockId::Monotonic, 1000 + frame));
      NoteRunFrame();
    }
    for (const Ref<TEvent>& event : recorder.Events()) {
      seen.events.push_back(ToUtf8(event->ToString()) +
                            (event->source == window_ ? " from the window" : ""));
    }
    return seen;
  }

  Ref<GatedDriver> driver_;
  Ref<Object> window_ = New<Object>();
  std::string path_;
};

Ref<TEvent> Key(int code) {
  return MakeEvent(static_cast<int>(EventId::KeyDown), nullptr, code);
}

TEST_F(RunRecording, AReplayDeliversTheRecordedInputAtTheSamePointsAndNoLiveInput) {
  SetRandomSeed(777);
  ASSERT_TRUE(RecordRun(path_.c_str()));
  SetWindowEventSource(1, window_);
  driver_->Deliver({Key(65)});
  driver_->Deliver({});
  driver_->Deliver({MakeEvent(static_cast<int>(EventId::MouseMove), window_, 0, 2, 40, 30)});
  const Seen recorded = RunProgram(3);
  ASSERT_TRUE(StopRecording());
  ASSERT_EQ(recorded.events.size(), 2u);

  SetRandomSeed(1);
  window_ = New<Object>();  // the replaying run's own window
  driver_->batches.clear();
  for (int i = 0; i < 6; ++i) driver_->Deliver({Key(90)});  // live input, never delivered
  ASSERT_TRUE(ReplayRun(path_.c_str()));
  EXPECT_EQ(GetRandomSeed(), 777);
  SetWindowEventSource(1, window_);
  const Seen replayed = RunProgram(3);
  EXPECT_EQ(replayed.events, recorded.events);
  EXPECT_EQ(replayed.events[1],
            "MouseMove: data=0, mods=2, x=40, y=30, extra=\"\" from the window");
  EXPECT_EQ(replayed.clocks, (std::vector<std::int64_t>{1000, 1001, 1002}));
  EXPECT_FALSE(ReplayDiverged());
}

TEST_F(RunRecording, ADivergenceIsSaidOnceAndLiveInputTakesOver) {
  ASSERT_TRUE(RecordRun(path_.c_str()));
  RunProgram(2);
  ASSERT_TRUE(StopRecording());

  ASSERT_TRUE(ReplayRun(path_.c_str()));
  ::testing::internal::CaptureStderr();
  PumpSystem();
  NoteRunFrame();  // the recording pumps twice a frame
  PumpSystem();
  ReadRunClock(RunClockId::Monotonic, 5);
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said, "replay: " + path_ +
                      " diverged at frame 0: the program presented a frame where the recording "
                      "holds a delivery of input; replay stops, input is live from here\n");
  EXPECT_FALSE(IsReplayingRun());
  EXPECT_TRUE(ReplayDiverged());
  testing::EventRecorder recorder;
  driver_->Deliver({Key(66)});
  PumpSystem();
  ASSERT_EQ(recorder.Events().size(), 1u);
  EXPECT_EQ(recorder.Events()[0]->data, 66);
}

TEST_F(RunRecording, AProgramGoingOnAfterTheRecordingEndsIsADivergence) {
  ASSERT_TRUE(RecordRun(path_.c_str()));
  RunProgram(1);
  ASSERT_TRUE(StopRecording());
  ASSERT_TRUE(ReplayRun(path_.c_str()));
  RunProgram(1);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ReadRunClock(RunClockId::Monotonic, 42), 42);
  EXPECT_NE(::testing::internal::GetCapturedStderr().find(
                "read the pacing clock where the recording holds nothing more (it ends there)"),
            std::string::npos);
}

TEST_F(RunRecording, TheDateAndTimeTextsOfAReplayAreTheRecordedOnes) {
  ASSERT_TRUE(RecordRun(path_.c_str()));
  const String date = CurrentDateText();
  const String time = CurrentTimeText();
  ASSERT_TRUE(StopRecording());
  ASSERT_TRUE(ReplayRun(path_.c_str()));
  // The recorded second, however long ago: the replay reads no live clock.
  EXPECT_EQ(CurrentDateText(), date);
  EXPECT_EQ(CurrentTimeText(), time);
  EXPECT_FALSE(ReplayDiverged());
}

TEST_F(RunRecording, RefusesDamagedFilesAndMissingOnesWithTheReason) {
  ASSERT_TRUE(RecordRun(path_.c_str()));
  RunProgram(2);
  ASSERT_TRUE(StopRecording());
  std::vector<std::uint8_t> bytes = LoadBytes(path_.c_str());
  bytes[bytes.size() - 2] ^= 1;
  SaveBytes(bytes, path_.c_str());
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(ReplayRun(path_.c_str()));
  EXPECT_EQ(
      ::testing::internal::GetCapturedStderr(),
      "replay: cannot replay " + path_ + ": damaged: the check does not match the contents\n");
  EXPECT_FALSE(IsReplayingRun());

  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(ReplayRun("no/such/recording.cvxrun"));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "replay: cannot replay no/such/recording.cvxrun: it cannot be read\n");
}

TEST_F(RunRecording, OneSessionAtATime) {
  ASSERT_TRUE(RecordRun(path_.c_str()));
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(ReplayRun(path_.c_str()));
  EXPECT_FALSE(RecordRun(path_.c_str()));
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(said.find("cannot replay " + path_ + ": a recording is running"), std::string::npos);
  EXPECT_NE(said.find("cannot record to " + path_ + ": a recording is running"), std::string::npos);
}

TEST_F(RunRecording, AnUnwritablePlaceIsRefusedAtOnce) {
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(RecordRun("no/such/folder/run.cvxrun"));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "record: cannot record to no/such/folder/run.cvxrun: it cannot be opened for "
            "writing\n");
  EXPECT_FALSE(IsRecordingRun());
}

// The whole recording is written as it stops, small enough to stay buffered until the close.
TEST_F(RunRecording, AFileThatCannotBeFinishedFailsTheStopWithTheReason) {
  ASSERT_TRUE(RecordRun("/dev/full"));
  RunProgram(2);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(StopRecording());
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "record: cannot write /dev/full: it could not be closed\n");
  EXPECT_FALSE(IsRecordingRun());
}

}  // namespace
}  // namespace corvax
