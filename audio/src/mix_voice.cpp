#include "mixer.h"

// One inner loop per sample layout and per ramping, chosen once per voice and fragment, so that
// nothing branches on the format per sample.
namespace corvax::mixer {
namespace {

struct Gains {
  std::int64_t left;
  std::int64_t right;
};

// Pan takes volume away from the far side only; negative depth inverts the right channel.
Gains GainsFor(std::int64_t volume, std::int32_t pan, std::int32_t depth) {
  Gains gains{volume, volume};
  if (pan > 0) gains.left = (volume * (kUnityVolume - pan)) >> 12;
  if (pan < 0) gains.right = (volume * (kUnityVolume + pan)) >> 12;
  if (depth < 0) gains.right = -gains.right;
  return gains;
}

// The sample at index interpolated towards the one stride samples later, as a 16-bit value.
template <int Bits>
inline std::int64_t Interpolate(const std::uint8_t* data, std::uint32_t index, int stride,
                                std::int64_t fraction) {
  if constexpr (Bits == 16) {
    const std::uint8_t* a = data + 2 * static_cast<std::size_t>(index);
    const std::uint8_t* b = a + 2 * stride;
    const std::int64_t va = static_cast<std::int16_t>(a[0] | (a[1] << 8));
    const std::int64_t vb = static_cast<std::int16_t>(b[0] | (b[1] << 8));
    return va + (((vb - va) * fraction) >> 16);
  } else {
    const std::int64_t va = data[index];
    const std::int64_t vb = data[index + stride];
    return va * 256 - 32768 + (((vb - va) * fraction) >> 8);
  }
}

struct Run {
  std::int64_t* accumulator;
  int frames;
  std::int64_t volume, volumeTarget;
  std::int64_t step, stepTarget;  // 16.16 sample frames per output frame
  std::int32_t pan, depth;
  bool looping;
  std::uint64_t end;  // 32.32
};

template <int Bits, int Channels, bool Ramp>
int MixLoop(Voice& voice, const Sample& sample, const Run& run) {
  const std::uint8_t* data = sample.data.data();
  std::int64_t* acc = run.accumulator;
  std::uint64_t position = voice.position;
  std::int64_t volume256 = run.volume << 8;
  std::int64_t step = run.step;
  const std::int64_t volumeIncrement =
      Ramp ? ((run.volumeTarget - run.volume) << 8) / run.frames : 0;
  const std::int64_t stepIncrement = Ramp ? (run.stepTarget - run.step) / run.frames : 0;
  Gains gains = GainsFor(run.volume, run.pan, run.depth);
  for (int i = 0; i < run.frames; ++i, acc += 2) {
    if constexpr (Ramp) gains = GainsFor(volume256 >> 8, run.pan, run.depth);
    std::uint32_t index;
    std::int64_t fraction;
    if constexpr (Channels == 1) {
      index = static_cast<std::uint32_t>(position >> 32);
      fraction = static_cast<std::int64_t>((position >> 16) & 0xFFFF);
    } else {
      index = static_cast<std::uint32_t>(position >> 33) * 2;
      fraction = static_cast<std::int64_t>((position >> 17) & 0xFFFF);
    }
    const std::int64_t left = Interpolate<Bits>(data, index, Channels, fraction);
    const std::int64_t right =
        Channels == 2 ? Interpolate<Bits>(data, index + 1, Channels, fraction) : left;
    acc[0] += (gains.left * left) >> 8;
    acc[1] += (gains.right * right) >> 8;
    position += (static_cast<std::uint64_t>(step) << 16) * Channels;
    if constexpr (Ramp) {
      volume256 += volumeIncrement;
      step += stepIncrement;
    }
    if (position >= run.end) {
      if (!run.looping) {
        voice.position = position;
        return 1;
      }
      position %= run.end;
    }
  }
  voice.position = position;
  return 0;
}

template <bool Ramp>
int MixAny(Voice& voice, const Sample& sample, const Run& run) {
  if (sample.bits == 16) {
    return sample.channels == 2 ? MixLoop<16, 2, Ramp>(voice, sample, run)
                                : MixLoop<16, 1, Ramp>(voice, sample, run);
  }
  return sample.channels == 2 ? MixLoop<8, 2, Ramp>(voice, sample, run)
                              : MixLoop<8, 1, Ramp>(voice, sample, run);
}

std::int64_t StepFor(std::int32_t rate, int hertz) {
  return static_cast<std::int64_t>(rate) * hertz / kOutputRate;
}

}  // namespace

int MixVoice(Voice& voice, std::int64_t* accumulator, int n) {
  const int status = voice.status.load(std::memory_order_acquire);
  if (status == kIdle) return 1;
  if (status & kPaused) return -2;
  if (status == kFinished) return -1;
  const Sample& sample = *voice.sample;
  int frames = n / 2;
  if (voice.startDelay >= frames) {
    voice.startDelay -= frames;
    return 0;
  }
  frames -= voice.startDelay;
  accumulator += 2 * voice.startDelay;
  voice.startDelay = 0;
  Run run;
  run.accumulator = accumulator;
  run.frames = frames;
  run.looping = (status & kLooping) != 0;
  run.end = static_cast<std::uint64_t>(sample.channels) * sample.length << 32;
  if (run.end == 0) return 1;
  run.volume = voice.volumeCurrent.load(std::memory_order_relaxed);
  run.volumeTarget = voice.volumeTarget.load(std::memory_order_relaxed);
  const std::int32_t rate = voice.rateCurrent.load(std::memory_order_relaxed);
  const std::int32_t rateTarget = voice.rateTarget.load(std::memory_order_relaxed);
  run.step = StepFor(rate, sample.hertz);
  run.stepTarget = StepFor(rateTarget, sample.hertz);
  run.pan = voice.panTarget.load(std::memory_order_relaxed);
  run.depth = voice.depthTarget.load(std::memory_order_relaxed);
  if (frames == 0) return 0;

  if (run.volume == run.volumeTarget && run.step == run.stepTarget) {
    if (run.volume != 0) return MixAny<false>(voice, sample, run);
    // Silent voices only move on.
    voice.position += (static_cast<std::uint64_t>(run.step) << 16) * sample.channels * frames;
    if (voice.position >= run.end) {
      if (!run.looping) return 1;
      voice.position %= run.end;
    }
    return 0;
  }
  const int result = MixAny<true>(voice, sample, run);
  voice.volumeCurrent.store(static_cast<std::int32_t>(run.volumeTarget), std::memory_order_relaxed);
  voice.rateCurrent.store(rateTarget, std::memory_order_relaxed);
  return result;
}

}  // namespace corvax::mixer
