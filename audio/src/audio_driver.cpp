#include <corvax/audio/audio_driver.h>
#include <corvax/runtime/start_once.h>

#include <corvax/runtime/boxed_string.h>
#include <corvax/stream/stream_module.h>

#include <utility>

namespace corvax {
namespace {

Ref<TAudioDriver>& CurrentDriver() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const driver = new Ref<TAudioDriver>();
  return *driver;
}

AudioDriverOpener& PendingOpener() {
  static auto* const opener = new AudioDriverOpener();
  return *opener;
}

}  // namespace

Ref<TChannel> TSound::Start(const Ref<TChannel>&) {
  return New<TChannel>();
}

Ref<TChannel> TSound::Prepare(const Ref<TChannel>&) {
  return New<TChannel>();
}

Ref<TSound> TSound::Open(const Url& url, int flags) {
  Ref<TAudioSample> sample = Cast<TAudioSample>(url.AsObject());
  if (!sample) sample = ReadAudioSample(url);
  if (!sample) return nullptr;
  return AudioDriver()->MakeSound(sample, flags);
}

Ref<TSound> TAudioDriver::MakeSound(const Ref<TAudioSample>&, int) {
  return New<TSound>();
}

Ref<TChannel> TAudioDriver::ReserveChannel() {
  return New<TChannel>();
}

const Ref<TAudioDriver>& AudioDriver() {
  if (PendingOpener()) {
    const AudioDriverOpener open = std::exchange(PendingOpener(), nullptr);
    if (Ref<TAudioDriver> opened = open()) CurrentDriver() = std::move(opened);
  }
  return CurrentDriver();
}

void SetAudioDriver(Ref<TAudioDriver> driver) {
  PendingOpener() = nullptr;
  CurrentDriver() = std::move(driver);
}

void DeferAudioDriver(AudioDriverOpener opener) {
  PendingOpener() = std::move(opener);
}

Ref<TSound> OpenSound(const Url& url, int flags) {
  return TSound::Open(url, flags);
}

Ref<TChannel> StartSound(const Ref<TSound>& sound, const Ref<TChannel>& channel) {
  return sound->Start(channel);
}

Ref<TChannel> PrepareSound(const Ref<TSound>& sound, const Ref<TChannel>& channel) {
  return sound->Prepare(channel);
}

Ref<TChannel> ReserveChannel() {
  return AudioDriver()->ReserveChannel();
}

void HaltChannel(const Ref<TChannel>& channel) {
  channel->Halt();
}

bool IsChannelActive(const Ref<TChannel>& channel) {
  return channel->IsActive();
}

void ApplyChannelVolume(const Ref<TChannel>& channel, float volume) {
  channel->SetVolume(volume);
}

void ApplyChannelPan(const Ref<TChannel>& channel, float pan) {
  channel->SetPan(pan);
}

void ApplyChannelDepth(const Ref<TChannel>& channel, float depth) {
  channel->SetDepth(depth);
}

void ApplyChannelRate(const Ref<TChannel>& channel, float rate) {
  channel->SetRate(rate);
}

void SuspendChannel(const Ref<TChannel>& channel) {
  channel->SetSuspended(1);
}

void ContinueChannel(const Ref<TChannel>& channel) {
  channel->SetSuspended(0);
}

void StartupAudioCoreModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupStreamCoreModule();
  SetAudioDriver(New<TAudioDriver>());
}

}  // namespace corvax
