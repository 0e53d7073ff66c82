#include <corvax/audio/audio_module.h>
#include <corvax/runtime/start_once.h>

namespace corvax {

void StartupAudioModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupAudioCoreModule();
  StartupMixerAudioModule();
  StartupOggLoaderModule();
  StartupWavLoaderModule();
}

}  // namespace corvax
