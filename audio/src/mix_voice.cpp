#include <bit>
#include <cstring>

#include "mixer.h"

// One inner loop per sample layout, chosen once per voice and fragment, so that nothing branches
// on the format per sample. A voice at its recorded speed (the common case by far) walks its data
// one frame per output frame with a fixed fraction: that loop has no per-frame position at all,
// so the compiler vectorises it. Every loop computes each sample with the same 32-bit formula,
// which equals the exact 64-bit one for every value the mixer accepts.
namespace corvax::mixer {
namespace {

static_assert(std::endian::native == std::endian::little,
              "16-bit sample data is kept little-endian and read as it stands");

struct Gains {
  std::int32_t left;
  std::int32_t right;
};

// Pan takes volume away from the far side only; negative depth inverts the right channel.
Gains GainsFor(std::int32_t volume, std::int32_t pan, std::int32_t depth) {
  Gains gains{volume, volume};
  if (pan > 0) gains.left = (volume * (kUnityVolume - pan)) >> 12;
  if (pan < 0) gains.right = (volume * (kUnityVolume + pan)) >> 12;
  if (depth < 0) gains.right = -gains.right;
  return gains;
}

inline std::int32_t Load16(const std::uint8_t* data, std::size_t index) {
  std::int16_t value;
  std::memcpy(&value, data + 2 * index, sizeof value);
  return value;
}

// The sample at index as a 16-bit value.
template <int Bits>
inline std::int32_t At(const std::uint8_t* data, std::size_t index) {
  if constexpr (Bits == 16) {
    return Load16(data, index);
  } else {
    return data[index] * 256 - 32768;
  }
}

// The sample at index moved towards the one stride samples later by fraction / 65536, as a
// 16-bit value. The 16-bit product (difference times fraction) needs 33 bits, so it is taken in
// two halves of the fraction; shifting each half down in turn rounds exactly as one shift would.
template <int Bits>
inline std::int32_t Interpolate(const std::uint8_t* data, std::size_t index, int stride,
                                std::int32_t fraction) {
  if constexpr (Bits == 16) {
    const std::int32_t a = Load16(data, index);
    const std::int32_t difference = Load16(data, index + stride) - a;
    return a + ((difference * (fraction >> 8) + ((difference * (fraction & 0xFF)) >> 8)) >> 8);
  } else {
    const std::int32_t a = data[index];
    const std::int32_t difference = data[index + stride] - a;
    return a * 256 - 32768 + ((difference * fraction) >> 8);
  }
}

template <int Bits, bool Fraction>
inline std::int32_t SampleAt(const std::uint8_t* data, std::size_t index, int stride,
                             std::int32_t fraction) {
  if constexpr (Fraction) {
    return Interpolate<Bits>(data, index, stride, fraction);
  } else {
    return At<Bits>(data, index);
  }
}

// Index and fraction of a 32.32 position counted in samples: stereo positions step two samples
// per frame and keep the frame's left sample.
struct Place {
  std::uint32_t index;
  std::int32_t fraction;
};

template <int Channels>
inline Place PlaceOf(std::uint64_t position) {
  if constexpr (Channels == 1) {
    return {static_cast<std::uint32_t>(position >> 32),
            static_cast<std::int32_t>((position >> 16) & 0xFFFF)};
  } else {
    return {static_cast<std::uint32_t>(position >> 33) * 2,
            static_cast<std::int32_t>((position >> 17) & 0xFFFF)};
  }
}

// Frames at the recorded speed: consecutive frames of data, all at one fraction.
template <int Bits, int Channels, bool Fraction>
void MixContiguous(const std::uint8_t* data, Place place, Gains gains, std::int32_t* __restrict acc,
                   int frames) {
  const std::size_t first = place.index;
  const std::int32_t fraction = place.fraction;
  for (int i = 0; i < frames; ++i) {
    const std::size_t index = first + static_cast<std::size_t>(i) * Channels;
    const std::int32_t left = SampleAt<Bits, Fraction>(data, index, Channels, fraction);
    const std::int32_t right =
        Channels == 2 ? SampleAt<Bits, Fraction>(data, index + 1, Channels, fraction) : left;
    acc[2 * i] += (gains.left * left) >> 8;
    acc[2 * i + 1] += (gains.right * right) >> 8;
  }
}

// Frames at any other fixed speed, with no end within them.
template <int Bits, int Channels>
void MixStepping(const std::uint8_t* data, std::uint64_t position, std::uint64_t increment,
                 Gains gains, std::int32_t* __restrict acc, int frames) {
  for (int i = 0; i < frames; ++i, position += increment) {
    const Place place = PlaceOf<Channels>(position);
    const std::int32_t left = Interpolate<Bits>(data, place.index, Channels, place.fraction);
    const std::int32_t right =
        Channels == 2 ? Interpolate<Bits>(data, place.index + 1, Channels, place.fraction) : left;
    acc[2 * i] += (gains.left * left) >> 8;
    acc[2 * i + 1] += (gains.right * right) >> 8;
  }
}

struct Run {
  std::int32_t* accumulator;
  int frames;
  std::int32_t volume, volumeTarget;
  std::int64_t step, stepTarget;  // 16.16 sample frames per output frame
  std::int32_t pan, depth;
  bool looping;
  std::uint64_t end;  // 32.32
};

std::uint64_t IncrementFor(std::int64_t step, int channels) {
  return (static_cast<std::uint64_t>(step) << 16) * static_cast<std::uint64_t>(channels);
}

// Brings a looping voice back from its end; true when one that does not loop has ended.
bool Ended(std::uint64_t& position, const Run& run) {
  if (position < run.end) return false;
  if (!run.looping) return true;
  position %= run.end;
  return false;
}

// Fixed volume and speed: the fragment cut where the data ends, each piece one plain loop.
template <int Bits, int Channels>
int MixSteady(Voice& voice, const Sample& sample, const Run& run) {
  const std::uint8_t* data = sample.data.data();
  const Gains gains = GainsFor(run.volume, run.pan, run.depth);
  const std::uint64_t increment = IncrementFor(run.step, Channels);
  const bool contiguous = increment == static_cast<std::uint64_t>(Channels) << 32;
  std::uint64_t position = voice.position;
  std::int32_t* acc = run.accumulator;
  for (int done = 0; done < run.frames;) {
    // The frame that takes the position to the end is the last one mixed before it wraps.
    int frames = run.frames - done;
    if (increment != 0) {
      const std::uint64_t toEnd = (run.end - position + increment - 1) / increment;
      if (toEnd < static_cast<std::uint64_t>(frames)) frames = static_cast<int>(toEnd);
    }
    const Place place = PlaceOf<Channels>(position);
    if (!contiguous) {
      MixStepping<Bits, Channels>(data, position, increment, gains, acc, frames);
    } else if (place.fraction != 0) {
      MixContiguous<Bits, Channels, true>(data, place, gains, acc, frames);
    } else {
      MixContiguous<Bits, Channels, false>(data, place, gains, acc, frames);
    }
    position += increment * static_cast<std::uint64_t>(frames);
    acc += 2 * frames;
    done += frames;
    if (Ended(position, run)) {
      voice.position = position;
      return 1;
    }
  }
  voice.position = position;
  return 0;
}

// Volume and speed moving towards their targets across the fragment, frame by frame.
template <int Bits, int Channels>
int MixRamp(Voice& voice, const Sample& sample, const Run& run) {
  const std::uint8_t* data = sample.data.data();
  std::int32_t* acc = run.accumulator;
  std::uint64_t position = voice.position;
  std::int64_t volume256 = static_cast<std::int64_t>(run.volume) << 8;
  std::int64_t step = run.step;
  const std::int64_t volumeIncrement =
      ((static_cast<std::int64_t>(run.volumeTarget) - run.volume) << 8) / run.frames;
  const std::int64_t stepIncrement = (run.stepTarget - run.step) / run.frames;
  for (int i = 0; i < run.frames; ++i, acc += 2) {
    const Gains gains = GainsFor(static_cast<std::int32_t>(volume256 >> 8), run.pan, run.depth);
    const Place place = PlaceOf<Channels>(position);
    const std::int32_t left = Interpolate<Bits>(data, place.index, Channels, place.fraction);
    const std::int32_t right =
        Channels == 2 ? Interpolate<Bits>(data, place.index + 1, Channels, place.fraction) : left;
    acc[0] += (gains.left * left) >> 8;
    acc[1] += (gains.right * right) >> 8;
    position += IncrementFor(step, Channels);
    volume256 += volumeIncrement;
    step += stepIncrement;
    if (Ended(position, run)) {
      voice.position = position;
      return 1;
    }
  }
  voice.position = position;
  return 0;
}

template <template <int, int> class Loop>
int MixAny(Voice& voice, const Sample& sample, const Run& run) {
  if (sample.bits == 16) {
    return sample.channels == 2 ? Loop<16, 2>::Mix(voice, sample, run)
                                : Loop<16, 1>::Mix(voice, sample, run);
  }
  return sample.channels == 2 ? Loop<8, 2>::Mix(voice, sample, run)
                              : Loop<8, 1>::Mix(voice, sample, run);
}

template <int Bits, int Channels>
struct Steady {
  static int Mix(Voice& voice, const Sample& sample, const Run& run) {
    return MixSteady<Bits, Channels>(voice, sample, run);
  }
};

template <int Bits, int Channels>
struct Ramp {
  static int Mix(Voice& voice, const Sample& sample, const Run& run) {
    return MixRamp<Bits, Channels>(voice, sample, run);
  }
};

std::int64_t StepFor(std::int32_t rate, int hertz) {
  return static_cast<std::int64_t>(rate) * hertz / kOutputRate;
}

}  // namespace

int MixVoice(Voice& voice, std::int32_t* accumulator, int n) {
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
  // A voice paused just as it reached its end keeps that position; it has nothing left to play.
  if (Ended(voice.position, run)) return 1;
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
    if (run.volume != 0) return MixAny<Steady>(voice, sample, run);
    // Silent voices only move on.
    voice.position += IncrementFor(run.step, sample.channels) * static_cast<std::uint64_t>(frames);
    return Ended(voice.position, run) ? 1 : 0;
  }
  const int result = MixAny<Ramp>(voice, sample, run);
  voice.volumeCurrent.store(run.volumeTarget, std::memory_order_relaxed);
  voice.rateCurrent.store(rateTarget, std::memory_order_relaxed);
  return result;
}

}  // namespace corvax::mixer
