// Sound: load a WAV and an Ogg Vorbis file, play them with volume, pan and rate, loop one and
// stop it. Without a sound device the sounds are silent, never an error.
#include <chrono>
#include <cstdio>
#include <thread>

#include <corvax/corvax.h>
using namespace corvax;

void Wait(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void Main() {
  StartupCorvax();  // opens the sound device when there is one

  // The sample loaders (WAV, Ogg Vorbis) are asked in turn; Null when none reads the file.
  Ref<TSound> tone = OpenSound("tone.wav", SOUND_ONCE);
  Ref<TSound> chime = OpenSound("chime.ogg", SOUND_LOOP);  // loops until halted
  if (!tone || !chime) {
    PrintLine(u"sound: cannot load tone.wav or chime.ogg");
    return;
  }

  // A channel is one playing sound; its settings can change while it plays.
  Ref<TChannel> left = StartSound(tone);
  ApplyChannelPan(left, -1);  // -1 all left, 0 centre, 1 all right
  std::printf("tone on the left: %s\n", IsChannelActive(left) ? "playing" : "silent");
  Wait(600);

  // Prepare gives a paused channel, so settings apply before the first sample is heard.
  Ref<TChannel> right = PrepareSound(tone);
  ApplyChannelPan(right, 1);
  ApplyChannelVolume(right, 0.5f);  // 0 silent to 1 full
  ApplyChannelRate(right, 1.5f);    // faster and higher
  ContinueChannel(right);
  std::printf("tone on the right, half volume, rate 1.5\n");
  Wait(600);

  Ref<TChannel> loop = StartSound(chime);
  std::printf("chime looping\n");
  Wait(800);
  HaltChannel(loop);  // a looping sound plays until halted
  std::printf("chime halted: %s\n", IsChannelActive(loop) ? "still playing" : "stopped");
}

int main(int argc, char** argv) {
  return RunApplication(argc, argv, Main);
}
