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

/// One playing or paused instance of a sound. Volume is a gain (1 = unchanged), pan runs from
/// -1 (left) to 1 (right), depth from -1 to 1 (only its sign is heard), rate is a speed factor
/// on the sample's own rate.
class TChannel : public Object {
 public:
  /// Stops the sound for good; the channel can be given to Start again.
  virtual void Halt() {}
  /// Non-zero pauses the channel, 0 lets it play on.
  virtual void SetSuspended(int /*suspended*/) {}
  /// The settings described above; they take effect within one mixing fragment.
  ///@{
  virtual void SetVolume(float /*volume*/) {}
  virtual void SetPan(float /*pan*/) {}
  virtual void SetDepth(float /*depth*/) {}
  virtual void SetRate(float /*rate*/) {}
  ///@}
  /// 1 while a sound plays or is paused on the channel, 0 after it ended or was halted.
  virtual int IsActive() { return 0; }
};

/// A sample prepared by the audio driver, ready to play on channels any number of times.
class TSound : public Object {
 public:
  /// A Null channel lets the driver pick a free one; a given channel is reused.
  virtual Ref<TChannel> Start(const Ref<TChannel>& channel);
  /// As Start, but the channel stays paused until SetSuspended(0).
  virtual Ref<TChannel> Prepare(const Ref<TChannel>& channel);
  /// url may be a TAudioSample itself. Null when no sample can be read. Non-zero flags ask the
  /// driver to loop the sound.
  static Ref<TSound> Open(const Url& url, int flags);
};

/// Makes sounds and channels; the base class is the silent driver, whose sounds play nothing.
class TAudioDriver : public Object {
 public:
  /// A sound that plays sample; non-zero flags loop it.
  virtual Ref<TSound> MakeSound(const Ref<TAudioSample>& sample, int flags);
  /// A channel of its own for Start and Prepare to reuse; Null when none is free.
  virtual Ref<TChannel> ReserveChannel();
};

/// The current driver; the base driver until a real one replaces it. The first call after a
/// driver module deferred its device opens it (see DeferAudioDriver).
const Ref<TAudioDriver>& AudioDriver();
/// Replaces the current driver; a deferred opening that has not happened yet no longer will.
void SetAudioDriver(Ref<TAudioDriver> driver);

/// Opens a device and gives its driver, or Null when there is no device.
using AudioDriverOpener = std::function<Ref<TAudioDriver>()>;
/// Lets a driver module open its device when the current driver is first asked for rather than
/// at start-up, so a program that never plays a sound never waits for an audio device. The
/// opener runs once; its driver, if any, becomes current, otherwise the current one stays.
void DeferAudioDriver(AudioDriverOpener opener);

/// Sound flags for OpenSound: play once, or loop until the channel is halted.
///@{
inline constexpr int SOUND_ONCE = 0;
inline constexpr int SOUND_LOOP = 1;
///@}

/// Free-function forms, same results: OpenSound (TSound::Open), StartSound and PrepareSound
/// (Start, Prepare), ReserveChannel (of the current driver), HaltChannel, IsChannelActive, the
/// four ApplyChannel setters, SuspendChannel and ContinueChannel (SetSuspended 1 and 0).
/// A Null sound or channel throws TNullObjectException.
///@{
Ref<TSound> OpenSound(const Url& url, int flags);
Ref<TChannel> StartSound(const Ref<TSound>& sound, const Ref<TChannel>& channel = nullptr);
Ref<TChannel> PrepareSound(const Ref<TSound>& sound, const Ref<TChannel>& channel = nullptr);
Ref<TChannel> ReserveChannel();
void HaltChannel(const Ref<TChannel>& channel);
int IsChannelActive(const Ref<TChannel>& channel);
void ApplyChannelVolume(const Ref<TChannel>& channel, float volume);
void ApplyChannelPan(const Ref<TChannel>& channel, float pan);
void ApplyChannelDepth(const Ref<TChannel>& channel, float depth);
void ApplyChannelRate(const Ref<TChannel>& channel, float rate);
void SuspendChannel(const Ref<TChannel>& channel);
void ContinueChannel(const Ref<TChannel>& channel);
///@}

/// Sample formats, samples and the base driver.
void StartupAudioCoreModule();

}  // namespace corvax
