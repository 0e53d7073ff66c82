#pragma once
/// @file
/// @ingroup audio
/// The audio driver interface: drivers prepare sounds from samples and play them on channels.
/// The base classes are the silent driver used when no audio device is available.
/// Call first: OpenSound(file, SOUND_ONCE or SOUND_LOOP), then StartSound, then the Apply...
/// functions on the channel it gives. Example: examples/sound.cpp.
#include <corvax/audio/audio_sample.h>
#include <corvax/stream/url.h>

#include <functional>

namespace corvax {

class TSound;

/// Sound flags: SOUND_ONCE, or SOUND_LOOP to play until the channel is halted.
using SoundFlags = int;
/// Play once.
inline constexpr SoundFlags SOUND_ONCE = 0;
/// Loop until the channel is halted.
inline constexpr SoundFlags SOUND_LOOP = 1;

/// One playing or paused instance of a sound. Volume is a gain (1 = unchanged), pan runs from
/// -1 (left) to 1 (right), depth from -1 to 1 (only its sign is heard), rate is a speed factor
/// on the sample's own rate.
class TChannel : public Object {
 public:
  /// Stops the sound for good; the channel can be given to Start again.
  /// @sa HaltChannel
  virtual void Halt() {}
  /// Non-zero pauses the channel, 0 lets it play on.
  /// @sa SuspendChannel, ContinueChannel
  virtual void SetSuspended(int /*suspended*/) {}
  /// Sets the volume, a gain (1 = unchanged), within one mixing fragment.
  /// @sa ApplyChannelVolume
  virtual void SetVolume(float /*volume*/) {}
  /// Sets the pan, from -1 (left) to 1 (right), within one mixing fragment.
  /// @sa ApplyChannelPan
  virtual void SetPan(float /*pan*/) {}
  /// Sets the depth, from -1 to 1 (only its sign is heard), within one mixing fragment.
  /// @sa ApplyChannelDepth
  virtual void SetDepth(float /*depth*/) {}
  /// Sets the rate, a speed factor on the sample's own rate, within one mixing fragment.
  /// @sa ApplyChannelRate
  virtual void SetRate(float /*rate*/) {}
  /// @return 1 while a sound plays or is paused on the channel, 0 after it ended or was halted.
  /// @sa IsChannelActive
  virtual int IsActive() { return 0; }
};

/// A sample prepared by the audio driver, ready to play on channels any number of times.
class TSound : public Object {
 public:
  /// Plays the sound.
  /// @param channel Null lets the driver pick a free one; a given channel is reused.
  /// @return The channel the sound plays on.
  /// @sa StartSound, Prepare
  virtual Ref<TChannel> Start(const Ref<TChannel>& channel);
  /// As Start, but the channel stays paused until SetSuspended(0).
  /// @param channel Null lets the driver pick a free one; a given channel is reused.
  /// @return The paused channel.
  /// @sa PrepareSound, Start
  virtual Ref<TChannel> Prepare(const Ref<TChannel>& channel);
  /// Reads a sample and has the current driver prepare it (TAudioDriver::MakeSound).
  /// @param url The sample's url; it may be a TAudioSample itself.
  /// @param flags SOUND_ONCE, or non-zero (SOUND_LOOP) to ask the driver to loop the sound.
  /// @return The sound; Null when no sample can be read.
  /// @sa OpenSound, ReadAudioSample
  static Ref<TSound> Open(const Url& url, SoundFlags flags);
};

/// Makes sounds and channels; the base class is the silent driver, whose sounds play nothing.
class TAudioDriver : public Object {
 public:
  /// Prepares a sample for playing.
  /// @param sample The sample the sound plays.
  /// @param flags Non-zero loops the sound.
  /// @return The sound.
  /// @sa TSound::Open
  virtual Ref<TSound> MakeSound(const Ref<TAudioSample>& sample, SoundFlags flags);
  /// @return A channel of its own for Start and Prepare to reuse; Null when none is free.
  /// @sa corvax::ReserveChannel
  virtual Ref<TChannel> ReserveChannel();
};

/// The first call after a driver module deferred its device opens it.
/// @return The current driver; the base driver until a real one replaces it.
/// @sa DeferAudioDriver, SetAudioDriver
const Ref<TAudioDriver>& AudioDriver();
/// Replaces the current driver; a deferred opening that has not happened yet no longer will.
/// @param driver The new current driver.
/// @sa AudioDriver
void SetAudioDriver(Ref<TAudioDriver> driver);

/// Opens a device and gives its driver, or Null when there is no device.
using AudioDriverOpener = std::function<Ref<TAudioDriver>()>;
/// Lets a driver module open its device when the current driver is first asked for rather than
/// at start-up, so a program that never plays a sound never waits for an audio device. The
/// opener runs once; its driver, if any, becomes current, otherwise the current one stays.
/// @param opener Opens the device; run by the first AudioDriver call.
/// @sa AudioDriver, SetAudioDriver
void DeferAudioDriver(AudioDriverOpener opener);

// Free-function forms of the member functions, with the same results.

/// TSound::Open.
/// @param url The sample's url; it may be a TAudioSample itself.
/// @param flags SOUND_ONCE or SOUND_LOOP.
/// @return The sound; Null when no sample can be read.
/// @sa StartSound
Ref<TSound> OpenSound(const Url& url, SoundFlags flags);
/// TSound::Start. A Null sound throws TNullObjectException.
/// @param sound The sound to play.
/// @param channel Null lets the driver pick a free one; a given channel is reused.
/// @return The channel the sound plays on.
/// @sa OpenSound, PrepareSound, ApplyChannelVolume
Ref<TChannel> StartSound(const Ref<TSound>& sound, const Ref<TChannel>& channel = nullptr);
/// TSound::Prepare: the channel stays paused until ContinueChannel. A Null sound throws
/// TNullObjectException.
/// @param sound The sound to play.
/// @param channel Null lets the driver pick a free one; a given channel is reused.
/// @return The paused channel.
/// @sa StartSound, ContinueChannel
Ref<TChannel> PrepareSound(const Ref<TSound>& sound, const Ref<TChannel>& channel = nullptr);
/// TAudioDriver::ReserveChannel of the current driver.
/// @return A channel of its own for StartSound and PrepareSound to reuse; Null when none is free.
/// @sa AudioDriver
Ref<TChannel> ReserveChannel();
/// TChannel::Halt. A Null channel throws TNullObjectException.
/// @param channel The channel to stop for good; it can be given to StartSound again.
void HaltChannel(const Ref<TChannel>& channel);
/// TChannel::IsActive. A Null channel throws TNullObjectException.
/// @param channel The channel.
/// @return true while a sound plays or is paused on it, false after it ended or was halted.
[[nodiscard]] bool IsChannelActive(const Ref<TChannel>& channel);
/// TChannel::SetVolume. A Null channel throws TNullObjectException.
/// @param channel The channel.
/// @param volume A gain, 1 = unchanged.
/// @sa ApplyChannelPan, ApplyChannelDepth, ApplyChannelRate
void ApplyChannelVolume(const Ref<TChannel>& channel, float volume);
/// TChannel::SetPan. A Null channel throws TNullObjectException.
/// @param channel The channel.
/// @param pan From -1 (left) to 1 (right).
/// @sa ApplyChannelVolume
void ApplyChannelPan(const Ref<TChannel>& channel, float pan);
/// TChannel::SetDepth. A Null channel throws TNullObjectException.
/// @param channel The channel.
/// @param depth From -1 to 1; only its sign is heard.
/// @sa ApplyChannelVolume
void ApplyChannelDepth(const Ref<TChannel>& channel, float depth);
/// TChannel::SetRate. A Null channel throws TNullObjectException.
/// @param channel The channel.
/// @param rate A speed factor on the sample's own rate.
/// @sa ApplyChannelVolume
void ApplyChannelRate(const Ref<TChannel>& channel, float rate);
/// TChannel::SetSuspended(1). A Null channel throws TNullObjectException.
/// @param channel The channel to pause.
/// @sa ContinueChannel
void SuspendChannel(const Ref<TChannel>& channel);
/// TChannel::SetSuspended(0). A Null channel throws TNullObjectException.
/// @param channel The channel to let play on.
/// @sa SuspendChannel, PrepareSound
void ContinueChannel(const Ref<TChannel>& channel);

/// Starts sample formats, samples and the base driver.
/// @sa StartupAudioModule
void StartupAudioCoreModule();

}  // namespace corvax
