#pragma once
// The audio driver over the software mixer: sounds hold mixer samples, channels hold handles.
#include <corvax/audio/audio_driver.h>
#include "mixer.h"

namespace corvax {

class TMixerChannel : public TChannel {
 public:
  explicit TMixerChannel(int handle) : handle_(handle) {}
  void Halt() override;
  void SetSuspended(int suspended) override;
  void SetVolume(float volume) override;
  void SetPan(float pan) override;
  void SetDepth(float depth) override;
  void SetRate(float rate) override;
  // A paused voice counts as active.
  int IsActive() override;
  int Handle() const { return handle_; }

 private:
  int handle_;
};

class TMixerSound : public TSound {
 public:
  explicit TMixerSound(mixer::Sample* sample) : sample_(sample) {}
  ~TMixerSound() override;
  // A channel of another driver gives Null.
  Ref<TChannel> Start(const Ref<TChannel>& channel) override;
  Ref<TChannel> Prepare(const Ref<TChannel>& channel) override;

 private:
  Ref<TChannel> Play(const Ref<TChannel>& channel, bool paused);
  mixer::Sample* sample_;
};

class TMixerAudioDriver : public TAudioDriver {
 public:
  // Null when no device is open or the sample has no usable format.
  Ref<TSound> MakeSound(const Ref<TAudioSample>& sample, int flags) override;
  // Null when all channels are taken.
  Ref<TChannel> ReserveChannel() override;
};

// Arranges for the audio device to open when the current driver is first asked for; only if it
// opens does the mixer driver become the current driver, with an exit action that closes the
// device. Without a device the base driver stays.
void StartupMixerAudioModule();

}  // namespace corvax
