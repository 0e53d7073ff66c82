// The mixer's fast loops against a plain frame-by-frame mixer with 64-bit arithmetic throughout,
// sample for sample, over many random voices and over voices loud enough to overflow any 32-bit
// sum of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "mixer.h"

namespace corvax::mixer {
namespace {

constexpr std::uint32_t kNow = 1000;
constexpr int kFragments = 6;

// One voice as the plain mixer sees it.
struct Plain {
  const Sample* sample;
  bool loop;
  int delay;
  std::uint64_t position = 0;
  bool ended = false;
  std::int64_t volume, volumeTarget;
  std::int64_t rate, rateTarget;
  std::int64_t pan, depth;
};

std::int64_t PlainValue(const Sample& sample, std::uint64_t index) {
  if (sample.bits == 8) return sample.data[index] * 256 - 32768;
  const std::uint8_t* p = sample.data.data() + 2 * index;
  return static_cast<std::int16_t>(p[0] | p[1] << 8);
}

std::int64_t PlainInterpolate(const Sample& sample, std::uint64_t index, std::int64_t fraction) {
  const std::int64_t a = PlainValue(sample, index);
  const std::int64_t b = PlainValue(sample, index + sample.channels);
  return a + (((b - a) * fraction) >> 16);
}

void PlainMix(Plain& voice, std::int64_t* sum, int frames) {
  const Sample& sample = *voice.sample;
  if (voice.ended) return;
  if (sample.length == 0) {
    voice.ended = true;
    return;
  }
  if (voice.delay >= frames) {
    voice.delay -= frames;
    return;
  }
  sum += 2 * voice.delay;
  frames -= std::exchange(voice.delay, 0);
  const std::uint64_t channels = sample.channels;
  const std::uint64_t end = channels * sample.length << 32;
  std::int64_t step = voice.rate * sample.hertz / kOutputRate;
  const std::int64_t stepTarget = voice.rateTarget * sample.hertz / kOutputRate;
  const bool ramp = voice.volume != voice.volumeTarget || step != stepTarget;
  const std::int64_t volumeIncrement = ((voice.volumeTarget - voice.volume) << 8) / frames;
  const std::int64_t stepIncrement = (stepTarget - step) / frames;
  std::int64_t volume256 = voice.volume << 8;
  for (int i = 0; i < frames; ++i) {
    const std::int64_t volume = volume256 >> 8;
    std::int64_t left = volume, right = volume;
    if (voice.pan > 0) left = volume * (kUnityVolume - voice.pan) >> 12;
    if (voice.pan < 0) right = volume * (kUnityVolume + voice.pan) >> 12;
    if (voice.depth < 0) right = -right;
    const std::uint64_t frame = (voice.position >> 32) / channels;
    const std::int64_t fraction = (voice.position >> (16 + channels - 1)) & 0xFFFF;
    const std::int64_t first = PlainInterpolate(sample, frame * channels, fraction);
    const std::int64_t second =
        channels == 2 ? PlainInterpolate(sample, frame * channels + 1, fraction) : first;
    sum[2 * i] += left * first >> 8;
    sum[2 * i + 1] += right * second >> 8;
    voice.position += (static_cast<std::uint64_t>(step) << 16) * channels;
    if (ramp) {
      volume256 += volumeIncrement;
      step += stepIncrement;
    }
    if (voice.position >= end) {
      if (!voice.loop) {
        voice.ended = true;
        break;
      }
      voice.position %= end;
    }
  }
  voice.volume = voice.volumeTarget;
  voice.rate = voice.rateTarget;
}

// The same voices through the mixer and through the plain loop above.
class MixReference : public ::testing::Test {
 protected:
  void TearDown() override {
    mixer_.Drain();
    for (Sample* sample : samples_) ReleaseSample(sample);
  }

  Sample* AddSample(int length, int bits, int channels, int hertz, bool loop,
                    const std::vector<std::uint8_t>& bytes) {
    samples_.push_back(CreateSample(length, bits, channels, hertz, bytes.data(), loop));
    return samples_.back();
  }

  void AddVoice(Sample* sample, const VoiceParameters& parameters, int delayMs) {
    auto voice = std::make_unique<Voice>();
    voice->Reset(parameters);
    voice->status = sample->loop ? kLooping : kPlaying;
    RetainSample(sample);
    voice->sample = sample;
    voice->startTime = kNow - kStartLatencyMs + static_cast<std::uint32_t>(delayMs);
    ASSERT_TRUE(mixer_.Enqueue(voice.get()));
    voices_.push_back(std::move(voice));
    plain_.push_back({sample, sample->loop, delayMs * kOutputRate / 1000, 0, false,
                      parameters.volume, parameters.volume, parameters.rate, parameters.rate,
                      parameters.pan, parameters.depth});
  }

  void SetVolume(std::size_t i, std::int32_t volume) {
    voices_[i]->SetVolume(volume);
    plain_[i].volumeTarget = volume;
  }
  void SetRate(std::size_t i, std::int32_t rate) {
    voices_[i]->SetRate(rate);
    plain_[i].rateTarget = rate;
  }
  void SetPan(std::size_t i, std::int32_t pan) {
    voices_[i]->SetPan(pan);
    plain_[i].pan = pan;
  }

  // The mixer's next fragment, checked against the plain one; returns the mixer's.
  std::vector<std::int16_t> MixAndCompare() {
    std::vector<std::int16_t> out(kFragmentSamples);
    mixer_.MixFragment(out.data());
    std::vector<std::int64_t> sum(kFragmentSamples);
    for (Plain& voice : plain_) PlainMix(voice, sum.data(), kFragmentSamples / 2);
    for (int i = 0; i < kFragmentSamples; ++i) {
      const auto expected =
          static_cast<std::int16_t>(std::clamp<std::int64_t>(sum[i] >> 4, -32768, 32767));
      if (out[i] != expected) {
        ADD_FAILURE() << "sample " << i << " of fragment " << fragments_ << ": mixed " << out[i]
                      << ", plain " << expected;
        break;
      }
    }
    ++fragments_;
    return out;
  }

  Mixer mixer_{kFragmentSamples, [] { return kNow; }};
  std::vector<Sample*> samples_;
  std::vector<std::unique_ptr<Voice>> voices_;
  std::vector<Plain> plain_;
  int fragments_ = 0;
};

std::vector<std::uint8_t> RandomBytes(std::mt19937& random, std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
  return bytes;
}

TEST_F(MixReference, RandomVoicesMatchThePlainMixerSampleForSample) {
  std::mt19937 random(20);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
  const int hertzChoices[] = {kOutputRate, kOutputRate, 22050, 48000, 11025, 96000};
  for (int i = 0; i < 64; ++i) {
    const int bits = pick(0, 1) ? 16 : 8;
    const int channels = pick(1, 2);
    // Some end within a fragment, some last several; a few are empty.
    const int length = pick(0, 9) == 0 ? pick(0, 3) : pick(1, 3000);
    const std::vector<std::uint8_t> bytes =
        RandomBytes(random, static_cast<std::size_t>(length) * channels * bits / 8);
    samples_.push_back(CreateSample(length, bits, channels, hertzChoices[pick(0, 5)], bytes.data(),
                                    pick(0, 1) == 1));
  }
  for (int i = 0; i < 1500; ++i) {
    Sample* sample = samples_[static_cast<std::size_t>(pick(0, 63))];
    const bool recorded = pick(0, 2) != 0;
    const std::int32_t rate = recorded ? kUnityRate : pick(kUnityRate / 5, 4 * kUnityRate);
    const std::int32_t volume = pick(0, 9) == 0 ? 0 : pick(-32768, 32767);
    const std::int32_t depth = pick(0, 3) == 0 ? -kUnityVolume : pick(0, kUnityVolume);
    AddVoice(sample, {rate, volume, pick(-4096, 4096), depth}, pick(0, 9) < 7 ? 0 : pick(0, 30));
  }
  MixAndCompare();
  for (int fragment = 1; fragment < kFragments; ++fragment) {
    for (std::size_t i = 0; i < voices_.size(); ++i) {
      // Changes ramp across the next fragment; a rate back at the recorded speed leaves the
      // position between frames.
      switch (pick(0, 7)) {
        case 0:
          SetVolume(i, pick(-32768, 32767));
          break;
        case 1:
          SetRate(i, pick(0, 1) ? kUnityRate : pick(kUnityRate / 5, 4 * kUnityRate));
          break;
        case 2:
          SetPan(i, pick(-4096, 4096));
          break;
      }
    }
    MixAndCompare();
  }
}

class LoudVoices : public MixReference {
 protected:
  // -32768 on both sides, at the recorded speed. With volume -32768 and negative depth a voice
  // adds the most it can: +2^22 to every left value and -2^22 to every right one.
  Sample* Lowest() {
    std::vector<std::uint8_t> lowest(256);
    for (std::size_t i = 0; i < lowest.size(); ++i) lowest[i] = i % 2 ? 0x80 : 0x00;
    return AddSample(64, 16, 2, kOutputRate, true, lowest);
  }
};

TEST_F(LoudVoices, AnyNumberOfTheLoudestVoicesSaturatesWithoutWrapping) {
  Sample* sample = Lowest();
  for (int count : {kVoicesPerAccumulator, kVoicesPerAccumulator + 1, 2 * kVoicesPerAccumulator,
                    2 * kVoicesPerAccumulator + 2, 4095}) {
    while (static_cast<int>(voices_.size()) < count) {
      AddVoice(sample, {kUnityRate, -32768, 0, -kUnityVolume}, 0);
    }
    const std::vector<std::int16_t> out = MixAndCompare();
    EXPECT_EQ(out[0], 32767) << count << " voices";
    EXPECT_EQ(out[1], -32768) << count << " voices";
  }
}

TEST_F(LoudVoices, SumsBeyondThirtyTwoBitsCancelToTheExactValue) {
  Sample* sample = Lowest();
  // Far more than one group's worth pushing each way, with a few quiet voices between, so the
  // exact result lies well inside the output range.
  for (int i = 0; i < 1200; ++i) AddVoice(sample, {kUnityRate, -32768, 0, -kUnityVolume}, 0);
  for (int i = 0; i < 1200; ++i) AddVoice(sample, {kUnityRate, 32767, 0, -kUnityVolume}, 0);
  for (int i = 0; i < 7; ++i) AddVoice(sample, {kUnityRate, -3000, 1000 * i - 3000, 0}, 0);
  for (int fragment = 0; fragment < 2; ++fragment) MixAndCompare();
}

TEST(MixVoice, AVoiceLeftPastItsEndPlaysNothingMore) {
  // Paused at the moment it ended, then resumed: its position is already past the data.
  const std::int16_t values[] = {1000, 2000, 3000};
  Sample* sample = CreateSample(3, 16, 1, kOutputRate, values, false);
  Voice voice;
  voice.sample = sample;
  voice.status = kPlaying;
  voice.position = std::uint64_t{3} << 32 | 0x8000u << 16;
  std::vector<std::int32_t> accumulator(kFragmentSamples);
  EXPECT_EQ(MixVoice(voice, accumulator.data(), kFragmentSamples), 1);
  EXPECT_EQ(std::count(accumulator.begin(), accumulator.end(), 0), kFragmentSamples);
  ReleaseSample(sample);
}

}  // namespace
}  // namespace corvax::mixer
