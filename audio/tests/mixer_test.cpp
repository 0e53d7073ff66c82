#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "mixer.h"
#include "mixer_device.h"

namespace corvax::mixer {
namespace {

constexpr int kFrames = 8;  // a small fragment keeps expected outputs readable

struct Frame {
  int left;
  int right;
  bool operator==(const Frame&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Frame& frame) {
  return out << "(" << frame.left << "," << frame.right << ")";
}

// A manual device on a clock the test moves, so that sounds start when the test says.
class MixerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenManualDevice([this] { return now_; }, kFrames * 2);
  }
  void TearDown() override {
    CloseDevice();
    for (Sample* sample : samples_) ReleaseSample(sample);
  }

  Sample* Mono16(std::vector<std::int16_t> values, int hertz = kOutputRate, bool loop = false) {
    samples_.push_back(
        CreateSample(static_cast<int>(values.size()), 16, 1, hertz, values.data(), loop));
    return samples_.back();
  }

  // Plays with no start latency: the clock is moved past it.
  int PlayNow(Sample* sample, int handle = 0, bool paused = false) {
    const int used = Play(sample, paused, handle);
    now_ += kStartLatencyMs;
    return used;
  }

  std::vector<Frame> Mix() {
    std::vector<std::int16_t> out(kFrames * 2);
    MixDeviceFragment(out.data());
    std::vector<Frame> frames;
    for (int i = 0; i < kFrames; ++i) frames.push_back({out[2 * i], out[2 * i + 1]});
    return frames;
  }

  static std::vector<Frame> Both(std::vector<int> values) {
    std::vector<Frame> frames;
    for (int v : values) frames.push_back({v, v});
    while (frames.size() < kFrames) frames.push_back({0, 0});
    return frames;
  }

  std::uint32_t now_ = 5000;
  std::vector<Sample*> samples_;
};

TEST_F(MixerTest, UnityVoicePassesSamplesThroughExactly) {
  const int handle = PlayNow(Mono16({100, -200, 32767, -32768, 5}));
  ASSERT_NE(handle, 0);
  EXPECT_EQ(Mix(), Both({100, -200, 32767, -32768, 5}));
  // It ended on a channel the play call allocated: finished, then recycled.
  EXPECT_EQ(Status(handle), kFinished);
  EXPECT_EQ(Mix(), Both({}));
}

TEST_F(MixerTest, VolumePanAndDepthShapeTheGains) {
  Sample* sample = Mono16({1000, -1000, 4000});
  const int reserved = AllocateChannel();
  SetVolume(reserved, 0.5f);
  PlayNow(sample, reserved);
  EXPECT_EQ(Mix(), Both({500, -500, 2000}));

  SetVolume(reserved, 1.0f);
  SetPan(reserved, 1.0f);
  PlayNow(sample, reserved);
  // Volume changed between plays is inherited as the start value, so no ramp here.
  std::vector<Frame> expected = {{0, 1000}, {0, -1000}, {0, 4000}};
  expected.resize(kFrames, {0, 0});
  EXPECT_EQ(Mix(), expected);

  SetPan(reserved, -0.5f);
  PlayNow(sample, reserved);
  expected = {{1000, 500}, {-1000, -500}, {4000, 2000}};
  expected.resize(kFrames, {0, 0});
  EXPECT_EQ(Mix(), expected);

  SetPan(reserved, 0);
  SetDepth(reserved, -0.25f);
  PlayNow(sample, reserved);
  expected = {{1000, -1000}, {-1000, 1000}, {4000, -4000}};
  expected.resize(kFrames, {0, 0});
  EXPECT_EQ(Mix(), expected);
}

TEST_F(MixerTest, HalfRateSampleStepsHalfASampleAndLastsTwiceAsLong) {
  // 22050 Hz at rate 1: step 32768, interpolating halfway between neighbours.
  PlayNow(Mono16({0, 1000, 3000, 2000}, 22050));
  EXPECT_EQ(Mix(), Both({0, 500, 1000, 2000, 3000, 2500, 2000, 2000}));
  EXPECT_EQ(Mix(), Both({}));
}

TEST_F(MixerTest, RateDoublesSpeedAndEightBitDataIsCentred) {
  const std::uint8_t bytes[] = {128, 255, 0, 192, 64, 128};
  samples_.push_back(CreateSample(6, 8, 1, kOutputRate, bytes, false));
  const int reserved = AllocateChannel();
  SetRate(reserved, 2.0f);
  PlayNow(samples_.back(), reserved);
  EXPECT_EQ(Mix(), Both({0, -32768, -16384}));
}

TEST_F(MixerTest, StereoSamplesKeepTheirSides) {
  const std::int16_t values[] = {100, -100, 200, -200, 300, -300};
  samples_.push_back(CreateSample(3, 16, 2, 22050, values, false));
  std::vector<Frame> expected = {{100, -100}, {150, -150}, {200, -200},
                                 {250, -250}, {300, -300}, {300, -300}};
  expected.resize(kFrames, {0, 0});
  PlayNow(samples_.back());
  EXPECT_EQ(Mix(), expected);
}

TEST_F(MixerTest, LoopingWrapsAndStopSilencesIt) {
  const int handle = PlayNow(Mono16({1000, 2000, 3000}, kOutputRate, true));
  EXPECT_EQ(Mix(), Both({1000, 2000, 3000, 1000, 2000, 3000, 1000, 2000}));
  EXPECT_EQ(Mix(), Both({3000, 1000, 2000, 3000, 1000, 2000, 3000, 1000}));
  EXPECT_EQ(Status(handle), kLooping);
  Stop(handle);
  EXPECT_EQ(Mix(), Both({}));
  EXPECT_EQ(Status(handle), kFinished);
}

TEST_F(MixerTest, PausedVoicesHoldTheirPlaceAndResume) {
  const int handle = PlayNow(Mono16({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 0, true);
  EXPECT_EQ(Status(handle), kPlaying | kPaused);
  EXPECT_EQ(Mix(), Both({}));
  SetPaused(handle, false);
  EXPECT_EQ(Mix(), Both({1, 2, 3, 4, 5, 6, 7, 8}));
  SetPaused(handle, true);
  EXPECT_EQ(Mix(), Both({}));
  SetPaused(handle, false);
  EXPECT_EQ(Mix(), Both({9, 10}));
}

TEST_F(MixerTest, VolumeChangeRampsAcrossOneFragment) {
  const int handle = PlayNow(Mono16(std::vector<std::int16_t>(100, 8000), kOutputRate, false));
  EXPECT_EQ(Mix(), Both({8000, 8000, 8000, 8000, 8000, 8000, 8000, 8000}));
  SetVolume(handle, 0.0f);
  const std::vector<Frame> ramp = Mix();
  EXPECT_EQ(ramp.front().left, 8000);
  for (int i = 1; i < kFrames; ++i) EXPECT_LT(ramp[i].left, ramp[i - 1].left);
  EXPECT_LE(ramp.back().left, 1000);
  EXPECT_EQ(Mix(), Both({}));
}

TEST_F(MixerTest, RateChangeRampsTheStepAcrossOneFragment) {
  std::vector<std::int16_t> line;
  for (int i = 0; i < 64; ++i) line.push_back(static_cast<std::int16_t>(10 * i));
  const int handle = PlayNow(Mono16(line));
  EXPECT_EQ(Mix(), Both({0, 10, 20, 30, 40, 50, 60, 70}));
  SetRate(handle, 2.0f);
  // The step grows by an eighth of a sample per frame, from 1 to 2.
  EXPECT_EQ(Mix(), Both({80, 90, 101, 113, 127, 142, 158, 176}));
  EXPECT_EQ(Mix(), Both({195, 215, 235, 255, 275, 295, 315, 335}));
}

TEST_F(MixerTest, ParametersSetWhilePausedApplyWithoutARamp) {
  const int handle = PlayNow(Mono16(std::vector<std::int16_t>(20, 800)), 0, true);
  SetVolume(handle, 0.25f);
  SetPaused(handle, false);
  EXPECT_EQ(Mix(), Both({200, 200, 200, 200, 200, 200, 200, 200}));
}

TEST_F(MixerTest, LoudVoicesClampInsteadOfWrapping) {
  Sample* high = Mono16({32767, -32768});
  for (int i = 0; i < 3; ++i) Play(high, false, 0);
  now_ += kStartLatencyMs;
  EXPECT_EQ(Mix(), Both({32767, -32768}));
}

TEST_F(MixerTest, SoundsStartTwentyMillisecondsAfterTheirPlayCall) {
  CloseDevice();
  OpenManualDevice([this] { return now_; }, kFragmentSamples);
  Play(Mono16({7, 7, 7}), false, 0);
  std::vector<std::int16_t> out(kFragmentSamples);
  MixDeviceFragment(out.data());
  EXPECT_EQ(std::count(out.begin(), out.end(), 0), kFragmentSamples);
  MixDeviceFragment(out.data());
  const int delay = kStartLatencyMs * kOutputRate / 1000 - kFragmentSamples / 2;
  EXPECT_EQ(out[2 * delay - 1], 0);
  EXPECT_EQ(out[2 * delay], 7);
  EXPECT_EQ(out[2 * delay + 5], 7);
  EXPECT_EQ(out[2 * delay + 6], 0);
}

TEST_F(MixerTest, ReservedChannelKeepsItsVoiceAndParametersAfterTheEnd) {
  const int reserved = AllocateChannel();
  SetVolume(reserved, 0.5f);
  PlayNow(Mono16({400}), reserved);
  EXPECT_EQ(Mix(), Both({200}));
  EXPECT_EQ(Status(reserved), kIdle);
  Mix();
  EXPECT_EQ(Status(reserved), kIdle);
  // A second sound inherits the channel's volume.
  PlayNow(Mono16({600}), reserved);
  EXPECT_EQ(Mix(), Both({300}));
}

TEST_F(MixerTest, ReplayingAChannelStopsTheFirstSound) {
  const int reserved = AllocateChannel();
  PlayNow(Mono16(std::vector<std::int16_t>(50, 100), kOutputRate, true), reserved);
  EXPECT_EQ(Mix(), Both({100, 100, 100, 100, 100, 100, 100, 100}));
  PlayNow(Mono16({5, 6}), reserved);
  EXPECT_EQ(Mix(), Both({5, 6}));
  EXPECT_EQ(Status(reserved), kIdle);
  // Recycling the first voice must not release the channel its successor holds.
  for (int i = 0; i < 4; ++i) PlayNow(Mono16({1}));
  Mix();
  PlayNow(Mono16({9}), reserved);
  EXPECT_EQ(Mix(), Both({9}));
}

TEST_F(MixerTest, ChannelHandlesRunOutAndGoStale) {
  std::vector<int> handles;
  for (int i = 0; i < kChannelSlots - 1; ++i) handles.push_back(AllocateChannel());
  EXPECT_EQ(std::count(handles.begin(), handles.end(), 0), 0);
  std::sort(handles.begin(), handles.end());
  EXPECT_EQ(std::unique(handles.begin(), handles.end()), handles.end());
  EXPECT_EQ(AllocateChannel(), 0);
  EXPECT_EQ(Play(Mono16({1}), false, 0), 0);
  CloseDevice();
  EXPECT_EQ(AllocateChannel(), 0);
  EXPECT_EQ(Status(handles[0]), 0);
  OpenManualDevice([this] { return now_; }, kFrames * 2);
  const int handle = PlayNow(Mono16({1}));
  Mix();
  Mix();
  // Taking the finished voice back releases its channel: the old handle no longer matches.
  const int next = PlayNow(Mono16({2}));
  EXPECT_NE(next, handle);
  EXPECT_EQ(Status(handle), 0);
}

TEST_F(MixerTest, OutOfRangeParametersSaturate) {
  EXPECT_EQ(VolumeFixed(100.0f), 32767);
  EXPECT_EQ(VolumeFixed(-100.0f), -32768);
  EXPECT_EQ(PanFixed(3.0f), 4096);
  EXPECT_EQ(PanFixed(-0.5f), -2048);
  EXPECT_EQ(RateFixed(-1.0f), 0);
  EXPECT_EQ(RateFixed(1.5f), 98304);
  EXPECT_EQ(RateFixed(1e12f), 0x7FFFFFFF);
  // A huge rate on a tiny loop must neither hang nor read outside the sample.
  const int reserved = AllocateChannel();
  SetRate(reserved, 1e12f);
  PlayNow(Mono16({1, 2, 3}, kOutputRate, true), reserved);
  Mix();
  EXPECT_EQ(Status(reserved), kLooping);
}

TEST(MixerRing, KeepsOrderAndRefusesWhenFull) {
  SpscRing<int, 4> ring;
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(ring.Push(i));
  EXPECT_FALSE(ring.Push(9));
  int value = -1;
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(ring.Pop(value));
    EXPECT_EQ(value, i);
  }
  EXPECT_FALSE(ring.Pop(value));
  // The indices keep counting past the capacity.
  for (int round = 0; round < 10; ++round) {
    EXPECT_TRUE(ring.Push(round));
    ASSERT_TRUE(ring.Pop(value));
    EXPECT_EQ(value, round);
  }
}

TEST(MixerSample, GuardFrameRepeatsTheRightNeighbour) {
  const std::int16_t values[] = {10, 20, 30};
  Sample* once = CreateSample(3, 16, 1, 44100, values, false);
  Sample* looped = CreateSample(3, 16, 1, 44100, values, true);
  EXPECT_EQ(once->data[6] | (once->data[7] << 8), 30);
  EXPECT_EQ(looped->data[6] | (looped->data[7] << 8), 10);
  EXPECT_EQ(CreateSample(3, 24, 1, 44100, values, false), nullptr);
  EXPECT_EQ(CreateSample(3, 16, 3, 44100, values, false), nullptr);
  EXPECT_EQ(CreateSample(3, 16, 1, 0, values, false), nullptr);
  ReleaseSample(once);
  ReleaseSample(looped);
}

}  // namespace
}  // namespace corvax::mixer
