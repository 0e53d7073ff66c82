#include "mixer.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <utility>

namespace corvax::mixer {

// Sample rates beyond this would overflow the fixed-point play position at high play rates.
constexpr int kMaxSampleHertz = 1000000;

std::uint32_t SystemMilliseconds() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

Sample* CreateSample(int length, int bits, int channels, int hertz, const void* data, bool loop) {
  if ((bits != 8 && bits != 16) || (channels != 1 && channels != 2) || length < 0) return nullptr;
  if (hertz < 1 || hertz > kMaxSampleHertz) return nullptr;
  // Owned through its own atomic count, shared with the audio thread; ReleaseSample frees it.
  auto* sample = new Sample;  // NOLINT(cppcoreguidelines-owning-memory)
  sample->hertz = hertz;
  sample->channels = channels;
  sample->bits = bits;
  sample->length = length;
  sample->bytesPerFrame = channels * bits / 8;
  sample->loop = loop;
  const std::size_t frame = static_cast<std::size_t>(sample->bytesPerFrame);
  const std::size_t bytes = static_cast<std::size_t>(length) * frame;
  sample->data.resize(bytes + frame);
  if (bytes != 0) std::memcpy(sample->data.data(), data, bytes);
  if (length == 0) {
    std::fill(sample->data.begin(), sample->data.end(), bits == 8 ? 128 : 0);
  } else {
    // Interpolation past the last frame reads the first frame again when looping.
    const std::size_t guardSource = loop ? 0 : bytes - frame;
    std::memcpy(sample->data.data() + bytes, sample->data.data() + guardSource, frame);
  }
  return sample;
}

void RetainSample(Sample* sample) {
  sample->references.fetch_add(1, std::memory_order_relaxed);
}

void ReleaseSample(Sample* sample) {
  if (sample && sample->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    delete sample;  // NOLINT(cppcoreguidelines-owning-memory): the last reference
  }
}

namespace {

bool IsPaused(const Voice& voice) {
  return (voice.status.load(std::memory_order_relaxed) & kPaused) != 0;
}

}  // namespace

void Voice::SetRate(std::int32_t rate) {
  rateTarget.store(rate, std::memory_order_relaxed);
  if (IsPaused(*this)) rateCurrent.store(rate, std::memory_order_relaxed);
}

void Voice::SetVolume(std::int32_t volume) {
  volumeTarget.store(volume, std::memory_order_relaxed);
  if (IsPaused(*this)) volumeCurrent.store(volume, std::memory_order_relaxed);
}

void Voice::SetPan(std::int32_t pan) {
  panTarget.store(pan, std::memory_order_relaxed);
}

void Voice::SetDepth(std::int32_t depth) {
  depthTarget.store(depth, std::memory_order_relaxed);
}

VoiceParameters Voice::Targets() const {
  return {rateTarget.load(std::memory_order_relaxed), volumeTarget.load(std::memory_order_relaxed),
          panTarget.load(std::memory_order_relaxed), depthTarget.load(std::memory_order_relaxed)};
}

void Voice::Reset(const VoiceParameters& parameters) {
  rateTarget.store(parameters.rate, std::memory_order_relaxed);
  rateCurrent.store(parameters.rate, std::memory_order_relaxed);
  volumeTarget.store(parameters.volume, std::memory_order_relaxed);
  volumeCurrent.store(parameters.volume, std::memory_order_relaxed);
  panTarget.store(parameters.pan, std::memory_order_relaxed);
  depthTarget.store(parameters.depth, std::memory_order_relaxed);
}

Mixer::Mixer(int fragmentSamples, Clock clock)
    : accumulator_(static_cast<std::size_t>(fragmentSamples)),
      sum_(static_cast<std::size_t>(fragmentSamples)),
      clock_(std::move(clock)) {}

bool Mixer::Enqueue(Voice* voice) {
  return pending_.Push(voice);
}

Voice* Mixer::TakeFree() {
  Voice* voice = nullptr;
  free_.Pop(voice);
  return voice;
}

void Mixer::MixFragment(std::int16_t* out) {
  const std::uint32_t now = clock_();
  for (Voice* voice; pending_.Pop(voice);) {
    const auto ahead = static_cast<std::int32_t>(voice->startTime + kStartLatencyMs - now);
    voice->startDelay =
        ahead > 0 ? static_cast<int>(static_cast<std::int64_t>(ahead) * kOutputRate / 1000) : 0;
    voice->position = 0;
    voice->next = active_;
    active_ = voice;
  }

  const int n = FragmentSamples();
  int grouped = 0;
  for (Voice** link = &active_; *link;) {
    Voice* voice = *link;
    if (grouped == kVoicesPerAccumulator) {
      FoldAccumulator();
      grouped = 0;
    }
    ++grouped;
    const int result = MixVoice(*voice, accumulator_.data(), n);
    if (result == -1) {
      ReleaseSample(std::exchange(voice->sample, nullptr));
      // Once pushed, the voice belongs to the main thread: unlink it first. A full free ring
      // keeps it here until the main thread makes room.
      Voice* const next = voice->next;
      if (free_.Push(voice)) {
        *link = next;
        continue;
      }
    } else if (result == 1) {
      int status = voice->status.load(std::memory_order_acquire);
      const int ended = voice->autoRelease.load(std::memory_order_acquire) ? kFinished : kIdle;
      if (status != kFinished && !(status & kPaused)) {
        voice->status.compare_exchange_strong(status, ended, std::memory_order_acq_rel);
      }
    }
    link = &voice->next;
  }

  FoldAccumulator();
  for (int i = 0; i < n; ++i) {
    out[i] = static_cast<std::int16_t>(std::clamp<std::int64_t>(sum_[i] >> 4, -32768, 32767));
    sum_[i] = 0;
  }
}

void Mixer::FoldAccumulator() {
  for (std::size_t i = 0; i < accumulator_.size(); ++i) {
    sum_[i] += accumulator_[i];
    accumulator_[i] = 0;
  }
}

void Mixer::Drain() {
  for (Voice* voice; pending_.Pop(voice);) {
    voice->next = active_;
    active_ = voice;
  }
  for (Voice* voice = active_; voice; voice = voice->next) {
    ReleaseSample(std::exchange(voice->sample, nullptr));
    voice->status.store(kFinished, std::memory_order_relaxed);
  }
  active_ = nullptr;
  for (Voice* voice; free_.Pop(voice);) {
  }
}

}  // namespace corvax::mixer
