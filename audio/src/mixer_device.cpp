#include "mixer_device.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <utility>

#include "sdl/sdl_output.h"

namespace corvax::mixer {
namespace {

constexpr int kSlotMask = kChannelSlots - 1;
constexpr int kGenerationMask = 0x7FFFFFFF & ~kSlotMask;

std::int32_t Saturate(float value, double scale, double low, double high) {
  if (std::isnan(value)) return 0;
  return static_cast<std::int32_t>(std::clamp(std::trunc(value * scale), low, high));
}

class Device {
 public:
  Device(Clock clock, int fragmentSamples) : mixer_(fragmentSamples, std::move(clock)) {
    for (int slot = 0; slot < kChannelSlots; ++slot) {
      link_[slot] = (slot + 1) % kChannelSlots;
      generation_[slot] = kChannelSlots;
    }
  }

  ~Device() {
    output_.reset();
    mixer_.Drain();
  }

  Mixer& mixer() { return mixer_; }
  std::unique_ptr<SdlOutput>& output() { return output_; }

  int AllocateChannel() {
    const int slot = link_[0];
    if (slot == 0) return 0;
    link_[0] = link_[slot];
    generation_[slot] = NextGeneration(generation_[slot]);
    return slot | generation_[slot];
  }

  // The voice of a valid handle; a reserved channel with nothing on it gets an idle voice, so
  // that parameters can be set before anything plays.
  Voice* Lookup(int handle) {
    if (!IsValid(handle)) return nullptr;
    Voice*& voice = voices_[handle & kSlotMask];
    if (!voice) {
      voice = AcquireVoice();
      voice->handle = handle;
    }
    return voice;
  }

  int Play(Sample* sample, bool paused, int handle) {
    if (!sample) return handle;
    VoiceParameters parameters;
    if (Voice* source = Lookup(handle)) parameters = source->Targets();
    Voice* voice = AcquireVoice();
    // Taking the voice back may have released the channel it last played on.
    if (!IsValid(handle)) handle = 0;
    const bool allocated = handle == 0;
    if (allocated) handle = AllocateChannel();
    if (handle == 0) {
      spare_.push_back(voice);
      return 0;
    }
    voice->Reset(parameters);
    voice->status.store((sample->loop ? kLooping : kPlaying) | (paused ? kPaused : 0),
                        std::memory_order_relaxed);
    voice->autoRelease.store(allocated ? 1 : 0, std::memory_order_relaxed);
    RetainSample(sample);
    voice->sample = sample;
    voice->startTime = mixer_.Now();
    if (!mixer_.Enqueue(voice)) {
      ReleaseSample(std::exchange(voice->sample, nullptr));
      spare_.push_back(voice);
      if (allocated) FreeSlot(handle & kSlotMask);
      return 0;
    }
    voice->queued = true;
    Voice*& attached = voices_[handle & kSlotMask];
    if (attached) Retire(attached);
    attached = voice;
    voice->handle = handle;
    return handle;
  }

  static void StopVoice(Voice& voice) {
    voice.autoRelease.store(1, std::memory_order_release);
    int status = voice.status.load(std::memory_order_acquire);
    while (status != kFinished &&
           !voice.status.compare_exchange_weak(status, kIdle, std::memory_order_acq_rel)) {
    }
  }

 private:
  static int NextGeneration(int generation) {
    const int next = (generation + kChannelSlots) & kGenerationMask;
    return next == 0 ? kChannelSlots : next;
  }

  bool IsValid(int handle) const {
    if (handle <= 0) return false;
    const int slot = handle & kSlotMask;
    return slot != 0 && generation_[slot] == (handle & ~kSlotMask);
  }

  // Bumping the generation on release too makes the handles of a free slot stale at once.
  void FreeSlot(int slot) {
    voices_[slot] = nullptr;
    generation_[slot] = NextGeneration(generation_[slot]);
    link_[slot] = link_[0];
    link_[0] = slot;
  }

  Voice* AcquireVoice() {
    Voice* voice = mixer_.TakeFree();
    if (!voice && !spare_.empty()) {
      voice = spare_.back();
      spare_.pop_back();
    }
    if (!voice) {
      owned_.push_back(std::make_unique<Voice>());
      voice = owned_.back().get();
    }
    // A recycled voice that is still its channel's voice ended on an auto-released channel.
    if (IsValid(voice->handle) && voices_[voice->handle & kSlotMask] == voice) {
      FreeSlot(voice->handle & kSlotMask);
    }
    voice->handle = 0;
    voice->queued = false;
    voice->next = nullptr;
    voice->status.store(kIdle, std::memory_order_relaxed);
    voice->autoRelease.store(0, std::memory_order_relaxed);
    voice->Reset(VoiceParameters{});
    return voice;
  }

  // The channel's previous voice: the mixer recycles it once it has seen it stop; one the mixer
  // never saw is reused directly.
  void Retire(Voice* voice) {
    StopVoice(*voice);
    voice->handle = 0;
    if (!voice->queued) spare_.push_back(voice);
  }

  Mixer mixer_;
  std::unique_ptr<SdlOutput> output_;
  std::array<Voice*, kChannelSlots> voices_{};
  std::array<int, kChannelSlots> link_{};
  std::array<int, kChannelSlots> generation_{};
  std::vector<std::unique_ptr<Voice>> owned_;
  std::vector<Voice*> spare_;
};

std::unique_ptr<Device>& Current() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const device = new std::unique_ptr<Device>();
  return *device;
}

Voice* Lookup(int handle) {
  return Current() ? Current()->Lookup(handle) : nullptr;
}

}  // namespace

std::int32_t VolumeFixed(float volume) {
  return Saturate(volume, 4096.0, -32768.0, 32767.0);
}

std::int32_t PanFixed(float pan) {
  return Saturate(pan, 4096.0, -4096.0, 4096.0);
}

std::int32_t RateFixed(float rate) {
  return Saturate(rate, 65536.0, 0.0, std::numeric_limits<std::int32_t>::max());
}

bool OpenDevice() {
  if (Current()) return true;
  auto device = std::make_unique<Device>(SystemMilliseconds, kFragmentSamples);
  device->output() = OpenSdlOutput(device->mixer());
  if (!device->output()) return false;
  Current() = std::move(device);
  return true;
}

void OpenManualDevice(Clock clock, int fragmentSamples) {
  CloseDevice();
  Current() = std::make_unique<Device>(std::move(clock), fragmentSamples);
}

void CloseDevice() {
  Current().reset();
}

bool IsDeviceOpen() {
  return Current() != nullptr;
}

void MixDeviceFragment(std::int16_t* out) {
  if (Current() && !Current()->output()) Current()->mixer().MixFragment(out);
}

int DeviceFragmentSamples() {
  return Current() ? Current()->mixer().FragmentSamples() : 0;
}

int AllocateChannel() {
  return Current() ? Current()->AllocateChannel() : 0;
}

int Play(Sample* sample, bool paused, int handle) {
  return Current() ? Current()->Play(sample, paused, handle) : handle;
}

void Stop(int handle) {
  if (Voice* voice = Lookup(handle)) Device::StopVoice(*voice);
}

void SetPaused(int handle, bool paused) {
  Voice* voice = Lookup(handle);
  if (!voice) return;
  if (paused) {
    voice->status.fetch_or(kPaused, std::memory_order_acq_rel);
  } else {
    voice->status.fetch_and(~kPaused, std::memory_order_acq_rel);
  }
}

void SetVolume(int handle, float volume) {
  if (Voice* voice = Lookup(handle)) voice->SetVolume(VolumeFixed(volume));
}

void SetPan(int handle, float pan) {
  if (Voice* voice = Lookup(handle)) voice->SetPan(PanFixed(pan));
}

void SetDepth(int handle, float depth) {
  if (Voice* voice = Lookup(handle)) voice->SetDepth(PanFixed(depth));
}

void SetRate(int handle, float rate) {
  if (Voice* voice = Lookup(handle)) voice->SetRate(RateFixed(rate));
}

int Status(int handle) {
  Voice* voice = Lookup(handle);
  return voice ? voice->status.load(std::memory_order_acquire) : 0;
}

}  // namespace corvax::mixer
