#include "mixer_driver.h"

#include <corvax/audio/audio_module.h>
#include <corvax/runtime/exit_actions.h>

#include "mixer_device.h"

namespace corvax {

void TMixerChannel::Halt() {
  mixer::Stop(handle_);
}

void TMixerChannel::SetSuspended(int suspended) {
  mixer::SetPaused(handle_, suspended != 0);
}

void TMixerChannel::SetVolume(float volume) {
  mixer::SetVolume(handle_, volume);
}

void TMixerChannel::SetPan(float pan) {
  mixer::SetPan(handle_, pan);
}

void TMixerChannel::SetDepth(float depth) {
  mixer::SetDepth(handle_, depth);
}

void TMixerChannel::SetRate(float rate) {
  mixer::SetRate(handle_, rate);
}

int TMixerChannel::IsActive() {
  return mixer::Status(handle_) > mixer::kIdle ? 1 : 0;
}

TMixerSound::~TMixerSound() {
  mixer::ReleaseSample(sample_);
}

Ref<TChannel> TMixerSound::Start(const Ref<TChannel>& channel) {
  return Play(channel, false);
}

Ref<TChannel> TMixerSound::Prepare(const Ref<TChannel>& channel) {
  return Play(channel, true);
}

Ref<TChannel> TMixerSound::Play(const Ref<TChannel>& channel, bool paused) {
  const Ref<TMixerChannel> mixerChannel = Cast<TMixerChannel>(channel);
  if (channel && !mixerChannel) return nullptr;
  const int given = mixerChannel ? mixerChannel->Handle() : 0;
  const int handle = mixer::Play(sample_, paused, given);
  if (handle == 0) return nullptr;
  if (mixerChannel && handle == given) return channel;
  return New<TMixerChannel>(handle);
}

Ref<TSound> TMixerAudioDriver::MakeSound(const Ref<TAudioSample>& sample, int flags) {
  if (!mixer::IsDeviceOpen()) return nullptr;
  Ref<TAudioSample> source = sample;
  // The mixer reads 16-bit data little-endian only.
  if (source->format == Mono16BE) source = source->Convert(Mono16LE);
  if (source->format == Stereo16BE) source = source->Convert(Stereo16LE);
  const int channels = ChannelsOf(source->format);
  if (channels == 0 || source->length < 0) return nullptr;
  const int bits = BytesPerFrame(source->format) * 8 / channels;
  mixer::Sample* mixerSample = mixer::CreateSample(source->length, bits, channels, source->hertz,
                                                   source->samples, flags != 0);
  if (!mixerSample) return nullptr;
  return New<TMixerSound>(mixerSample);
}

Ref<TChannel> TMixerAudioDriver::ReserveChannel() {
  const int handle = mixer::AllocateChannel();
  if (handle == 0) return nullptr;
  return New<TMixerChannel>(handle);
}

void StartupMixerAudioModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupAudioCoreModule();
  DeferAudioDriver([]() -> Ref<TAudioDriver> {
    if (!mixer::OpenDevice()) return nullptr;
    AddExitAction(&mixer::CloseDevice);
    return New<TMixerAudioDriver>();
  });
}

}  // namespace corvax
