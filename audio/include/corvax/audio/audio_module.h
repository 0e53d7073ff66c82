#pragma once
/// @defgroup audio Audio
/// Samples, sounds and channels, the software mixer over an SDL audio device, and the WAV and Ogg
/// Vorbis loaders. Start-up: StartupCorvax() from <corvax/corvax.h>, or StartupAudioModule() for
/// this module alone, before any other call of the module.
///
/// Example, `examples/sound.cpp` (the suite builds and runs it):
/// @include sound.cpp

/// @file
/// @ingroup audio
/// The audio module: samples, the driver interface, the mixer driver and the sample loaders.
#include <corvax/audio/audio_driver.h>
#include <corvax/audio/audio_sample.h>
#include <corvax/audio/sample_format.h>
#include <corvax/audio/sample_loaders.h>

namespace corvax {

/// The audio core, then the mixer driver (when an audio device opens), then the Ogg Vorbis and
/// WAV loaders, so that the WAV loader is asked first.
void StartupAudioModule();

/// Opens the audio device; only then does the mixer driver become the current driver, with an
/// exit action that closes the device. Part of StartupAudioModule.
void StartupMixerAudioModule();

}  // namespace corvax
