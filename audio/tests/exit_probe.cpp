// Starts the audio module, leaves a looping sound playing and exits: the exit action must close
// the device while the audio thread is still mixing.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <thread>
#include <vector>

#include <corvax/audio/audio_module.h>

#include "mixer_driver.h"

int main() {
  using namespace corvax;
  StartupAudioModule();
  if (!Cast<TMixerAudioDriver>(AudioDriver())) return 2;
  static std::vector<std::int16_t> values(1000, 3000);
  const Ref<TSound> sound = OpenSound(WrapAudioSample(values.data(), 1000, 44100, Mono16LE), 1);
  if (!IsChannelActive(StartSound(sound))) return 3;
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  std::puts("playing");
  return 0;
}
