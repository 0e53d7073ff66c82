#include <corvax/audio/audio_module.h>

namespace corvax {

void StartupAudioModule() {
  static bool started = false;
  if (started) return;
  started = true;
  StartupAudioCoreModule();
  StartupMixerAudioModule();
  StartupOggLoaderModule();
  StartupWavLoaderModule();
}

}  // namespace corvax
