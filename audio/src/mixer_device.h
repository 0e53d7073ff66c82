#pragma once
// The process's mixer device: a mixer, the table of channel handles and the output that pulls
// fragments from the mixer. Every function here runs on the main thread; with no device open
// they do nothing and report none.
#include "mixer.h"

namespace corvax::mixer {

inline constexpr int kChannelSlots = 4096;

// Opens the default audio output (44100 Hz, stereo, signed 16-bit), whose callback mixes whole
// fragments. False, with no device, when there is no output.
bool OpenDevice();
// A device without output: fragments are mixed only by MixDeviceFragment. The clock decides
// when sounds start (20 ms after their play call).
void OpenManualDevice(Clock clock, int fragmentSamples = kFragmentSamples);
// Stops the output, recycles every voice and frees the channel table.
void CloseDevice();
bool IsDeviceOpen();
// Manual devices only: mixes the next fragment into out (FragmentSamples() 16-bit samples).
void MixDeviceFragment(std::int16_t* out);
int DeviceFragmentSamples();

// A channel handle is a slot number OR a generation, so a handle is never 0 and the handle of
// a slot that was freed and taken again no longer matches. 0 when all 4095 slots are taken.
int AllocateChannel();
// Plays sample on handle (0: a channel allocated for this play, released when it ends).
// Returns the handle used, 0 on failure.
int Play(Sample* sample, bool paused, int handle);
// The channel's voice stops and the channel is released once the voice is recycled.
void Stop(int handle);
void SetPaused(int handle, bool paused);
void SetVolume(int handle, float volume);
void SetPan(int handle, float pan);
void SetDepth(int handle, float depth);
void SetRate(int handle, float rate);
// The voice's status (VoiceStatus bits), 0 when there is none.
int Status(int handle);

// The values the setters store: volume, pan and depth in 4.12, rate in 16.16. Out-of-range
// values saturate instead of wrapping (pan and depth at +-1, rate at 0 from below), and NaN
// counts as 0.
std::int32_t VolumeFixed(float volume);
std::int32_t PanFixed(float pan);
std::int32_t RateFixed(float rate);

}  // namespace corvax::mixer
