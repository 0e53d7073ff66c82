// Logic that needs no display: mode text, buffer requests, frame pacing arithmetic, the retrace
// decision and the choice of a full-screen display mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include <corvax/graphics/graphics_module.h>

#include <corvax/graphics/backend/display_mode_choice.h>
#include "frame_pacer.h"
#include "opengl/gl_attributes.h"
#include "sync_probe.h"

namespace corvax {
namespace {

TEST(GraphicsMode, TextFormAndDefaults) {
  EXPECT_EQ(TGraphicsMode(640, 480, 16, 72).ToString(), u"640,480,16 72Hz");
  EXPECT_EQ(TGraphicsMode().ToString(), u"0,0,0 0Hz");
}

TEST(GLBufferRequests, EachFlagAsksForItsBufferAndNothingElse) {
  const GLBufferRequest none = BufferRequestForFlags(0);
  EXPECT_EQ(none.doubleBuffer + none.alphaBits + none.depthBits + none.stencilBits + none.accumBits,
            0);
  const GLBufferRequest all = BufferRequestForFlags(2 | 4 | 8 | 16 | 32 | 1 | 64);
  EXPECT_EQ(all.doubleBuffer, 1);
  EXPECT_EQ(all.alphaBits, 1);
  EXPECT_EQ(all.depthBits, 1);
  EXPECT_EQ(all.stencilBits, 1);
  EXPECT_EQ(all.accumBits, 1);
  const GLBufferRequest depthOnly = BufferRequestForFlags(GRAPHICS_DEPTHBUFFER);
  EXPECT_EQ(depthOnly.depthBits, 1);
  EXPECT_EQ(depthOnly.doubleBuffer + depthOnly.stencilBits, 0);
}

// The delays of n frames presented the moment they are due.
std::vector<int> FrameLengths(int hertz, int frames) {
  FramePacer pacer;
  std::uint32_t now = 5000;
  pacer.Start(hertz, now);
  std::vector<int> lengths;
  for (int i = 0; i < frames; ++i) {
    const int delay = pacer.NextFrameDelay(now);
    lengths.push_back(delay);
    now += static_cast<std::uint32_t>(delay);
  }
  return lengths;
}

TEST(FramePacing, EverySecondHoldsExactlyTheRequestedFrames) {
  FramePacer pacer;
  pacer.Start(72, 0);
  EXPECT_EQ(pacer.FrameMilliseconds(), 13);
  EXPECT_EQ(pacer.RemainderStep(), 64);
  for (int hertz : {60, 72, 75, 85, 144, 1, 999, 1000, 1500}) {
    const std::vector<int> lengths = FrameLengths(hertz, hertz * 3);
    const int total = std::accumulate(lengths.begin(), lengths.end(), 0);
    EXPECT_EQ(total, 3000) << hertz << " Hz";
    const int shortest = *std::min_element(lengths.begin(), lengths.end());
    const int longest = *std::max_element(lengths.begin(), lengths.end());
    EXPECT_LE(longest - shortest, 1) << hertz << " Hz spreads the remainder evenly";
  }
  const std::vector<int> sixty = FrameLengths(60, 60);
  EXPECT_EQ(std::count(sixty.begin(), sixty.end(), 17), 40);
  EXPECT_EQ(std::count(sixty.begin(), sixty.end(), 16), 20);
}

TEST(FramePacing, LateFramesRestartTheScheduleInsteadOfHurrying) {
  FramePacer pacer;
  pacer.Start(50, 1000);
  EXPECT_EQ(pacer.NextFrameDelay(1005), 15);
  // The frame after that comes 100 ms late: no wait, and the schedule starts again from now.
  EXPECT_EQ(pacer.NextFrameDelay(1120), 0);
  EXPECT_EQ(pacer.NextFrameTime(), 1120u);
  EXPECT_EQ(pacer.NextFrameDelay(1120), 20);
}

TEST(FramePacing, TheClockMayWrap) {
  FramePacer pacer;
  pacer.Start(100, 0xFFFFFFF0u);
  EXPECT_EQ(pacer.NextFrameDelay(0xFFFFFFF5u), 5);
  EXPECT_EQ(pacer.NextFrameDelay(0xFFFFFFFAu), 10) << "due at 4 past the wrap";
  EXPECT_EQ(pacer.NextFrameDelay(40), 0) << "late across the wrap";
  EXPECT_EQ(pacer.NextFrameTime(), 40u);
}

TEST(FramePacing, NoRateNoPacing) {
  FramePacer pacer;
  pacer.Start(0, 123);
  EXPECT_EQ(pacer.NextFrameDelay(100), 0);
  pacer.Start(-5, 123);
  EXPECT_EQ(pacer.NextFrameDelay(100), 0);
}

TEST(RetraceProbe, NeedsThreeFrameLongPresentsInARow) {
  SyncProbe probe(72);  // 13 ms a frame
  EXPECT_FALSE(probe.Record(15));
  EXPECT_FALSE(probe.Record(13));
  EXPECT_FALSE(probe.Record(14));
  EXPECT_TRUE(probe.Record(12));

  SyncProbe interrupted(60);  // 16 ms
  EXPECT_FALSE(interrupted.Record(16));
  EXPECT_FALSE(interrupted.Record(17));
  EXPECT_FALSE(interrupted.Record(0)) << "a present that does not wait resets the count";
  EXPECT_FALSE(interrupted.Record(15));
  EXPECT_FALSE(interrupted.Record(16));
  EXPECT_TRUE(interrupted.Record(17));
  EXPECT_TRUE(interrupted.Record(500)) << "the decision stands once made";
}

TEST(RetraceProbe, PresentsThatNeverWaitNeverConfirm) {
  SyncProbe probe(72);
  for (int i = 0; i < 1000; ++i) EXPECT_FALSE(probe.Record(0));
}

TEST(RetraceProbe, AnUnbrokenRunOfPresentsFarShorterThanAFrameSettlesOnNoRetrace) {
  SyncProbe probe(72);  // 13 ms a frame: 6 ms or less is far shorter
  for (int i = 1; i < SyncProbe::kFastNeeded; ++i) probe.Record(i % 2 == 0 ? 0 : 6);
  EXPECT_FALSE(probe.Refuted()) << "one present short of the run";
  probe.Record(7);
  EXPECT_FALSE(probe.Refuted()) << "a present of half a frame or more breaks the run";
  for (int i = 0; i < SyncProbe::kFastNeeded - 1; ++i) probe.Record(1);
  probe.Record(13);
  EXPECT_FALSE(probe.Refuted()) << "so does a frame-long one";
  for (int i = 0; i < SyncProbe::kFastNeeded; ++i) probe.Record(0);
  EXPECT_TRUE(probe.Refuted());
  EXPECT_FALSE(probe.Confirmed());

  SyncProbe waits(72);
  waits.Record(13);
  waits.Record(13);
  waits.Record(13);
  for (int i = 0; i < SyncProbe::kFastNeeded; ++i) waits.Record(0);
  EXPECT_TRUE(waits.Confirmed()) << "a confirmed retrace wait stands";
  EXPECT_FALSE(waits.Refuted());
}

TEST(DisplayModeChoiceTest, SizeMustMatchRateAndDepthArePreferred) {
  const std::vector<DisplayModeEntry> offered = {
      {1024, 768, 24, 60}, {640, 480, 24, 60}, {640, 480, 16, 60},
      {640, 480, 24, 72},  {800, 600, 24, 72},
  };
  auto choice = ChooseDisplayMode(offered, 640, 480, 16, 72);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->index, 3) << "the rate weighs more than the depth";
  EXPECT_TRUE(choice->rateKept);

  choice = ChooseDisplayMode(offered, 640, 480, 16, 85);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->index, 2) << "without the rate, the matching depth";
  EXPECT_FALSE(choice->rateKept);

  choice = ChooseDisplayMode(offered, 640, 480, 32, 0);
  ASSERT_TRUE(choice);
  EXPECT_EQ(choice->index, 1) << "X runs at one depth: another depth of the size serves";
  EXPECT_FALSE(choice->rateKept);

  EXPECT_FALSE(ChooseDisplayMode(offered, 320, 240, 16, 0));
  EXPECT_FALSE(ChooseDisplayMode({}, 640, 480, 16, 72));
}

}  // namespace
}  // namespace corvax
