#include "sdl_output.h"

#include <SDL2/SDL.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace corvax::mixer {
namespace {

class SdlDeviceOutput : public SdlOutput {
 public:
  explicit SdlDeviceOutput(Mixer& mixer)
      : mixer_(mixer), fragment_(static_cast<std::size_t>(mixer.FragmentSamples())) {}

  ~SdlDeviceOutput() override {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    if (initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  bool Open() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    initialised_ = true;
    SDL_AudioSpec want{};
    want.freq = kOutputRate;
    want.format = AUDIO_S16SYS;
    want.channels = kOutputChannels;
    want.samples = static_cast<Uint16>(fragment_.size() / kOutputChannels);
    want.callback = &SdlDeviceOutput::Callback;
    want.userdata = this;
    // No changes allowed: SDL converts if the hardware differs, so we always mix our format.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ == 0) return false;
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }

 private:
  static void Callback(void* userdata, Uint8* stream, int length) {
    static_cast<SdlDeviceOutput*>(userdata)->Fill(stream, length);
  }

  // SDL asks for any number of bytes; the mixer always makes whole fragments, and what is left
  // of one starts the next request.
  void Fill(Uint8* stream, int length) {
    const std::size_t fragmentBytes = fragment_.size() * sizeof(std::int16_t);
    while (length > 0) {
      if (used_ == fragmentBytes || !mixed_) {
        mixer_.MixFragment(fragment_.data());
        used_ = 0;
        mixed_ = true;
      }
      const std::size_t n = std::min(fragmentBytes - used_, static_cast<std::size_t>(length));
      std::memcpy(stream, reinterpret_cast<const Uint8*>(fragment_.data()) + used_, n);
      used_ += n;
      stream += n;
      length -= static_cast<int>(n);
    }
  }

  Mixer& mixer_;
  std::vector<std::int16_t> fragment_;
  std::size_t used_ = 0;
  bool mixed_ = false;
  SDL_AudioDeviceID device_ = 0;
  bool initialised_ = false;
};

}  // namespace

std::unique_ptr<SdlOutput> OpenSdlOutput(Mixer& mixer) {
  auto output = std::make_unique<SdlDeviceOutput>(mixer);
  if (!output->Open()) return nullptr;
  return output;
}

}  // namespace corvax::mixer
