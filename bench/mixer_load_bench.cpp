// CPU per second of sound delivered, Corvax's mixer beside SDL_mixer in the same run: looping
// panned 16-bit stereo voices mixed to 44.1 kHz stereo through SDL's dummy output.
//
// The dummy output waits a buffer's length after each callback, so the slower the mixing the
// fewer fragments a wall second delivers: the figure is process CPU time over the duration of
// the fragments delivered. A fragment is late when the audio thread spent longer on it than the
// fragment lasts, as a real device would then have run dry.
#include <SDL.h>
#include <SDL_mixer.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <thread>
#include <vector>

#include "mixer.h"
#include "sdl_output.h"

namespace {

using namespace corvax;

constexpr int kSampleFrames = 44100;
constexpr int kFragmentFrames = mixer::kFragmentSamples / mixer::kOutputChannels;
constexpr double kFragmentSeconds = static_cast<double>(kFragmentFrames) / mixer::kOutputRate;
constexpr auto kListen = std::chrono::seconds(3);
// Volume 0.8 of unity, and a pan that differs from voice to voice.
constexpr double kVolume = 0.8;
constexpr int kPanSteps = 5;

double ProcessSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

// A tone on the left and another on the right, both 16-bit, one second long.
const std::vector<std::int16_t>& StereoTone() {
  static const std::vector<std::int16_t> values = [] {
    std::vector<std::int16_t> v(2 * kSampleFrames);
    for (int i = 0; i < kSampleFrames; ++i) {
      v[2 * i] = static_cast<std::int16_t>(8000 * std::sin(i * 0.0627));
      v[2 * i + 1] = static_cast<std::int16_t>(8000 * std::sin(i * 0.0411));
    }
    return v;
  }();
  return values;
}

// -1 .. 1 across the voices.
double PanOf(int voice) {
  return (voice % kPanSteps) * 2.0 / (kPanSteps - 1) - 1.0;
}

// Called on the audio thread once per fragment: counts it and the thread time since the last.
struct FragmentCounter {
  std::atomic<int> fragments{0};
  std::atomic<int> late{0};
  double lastThreadSeconds = -1;

  void Tick() {
    const double now = ThreadSeconds();
    if (lastThreadSeconds >= 0 && now - lastThreadSeconds > kFragmentSeconds) ++late;
    lastThreadSeconds = now;
    ++fragments;
  }
};

// Listens for a while once the output is running and reports what it cost.
void Listen(benchmark::State& state, FragmentCounter& counter) {
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // past start-up
  const int fragmentsBefore = counter.fragments;
  const int lateBefore = counter.late;
  const double cpuBefore = ProcessSeconds();
  std::this_thread::sleep_for(kListen);
  const double cpu = ProcessSeconds() - cpuBefore;
  const int fragments = counter.fragments - fragmentsBefore;
  const double delivered = fragments * kFragmentSeconds;
  state.counters["cpu_%_per_output_s"] = delivered > 0 ? 100.0 * cpu / delivered : 0;
  state.counters["output_s"] = delivered;
  state.counters["late_fragments"] = counter.late - lateBefore;
}

void SetDummyDriver() {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

void CorvaxMixer(benchmark::State& state) {
  SetDummyDriver();
  const int voices = static_cast<int>(state.range(0));
  const std::vector<std::int16_t>& tone = StereoTone();
  mixer::Sample* sample =
      mixer::CreateSample(kSampleFrames, 16, 2, mixer::kOutputRate, tone.data(), true);
  FragmentCounter counter;
  mixer::Mixer mix(mixer::kFragmentSamples, [&counter] {
    counter.Tick();
    return mixer::SystemMilliseconds();
  });
  std::vector<std::unique_ptr<mixer::Voice>> owned;
  for (int i = 0; i < voices; ++i) {
    auto voice = std::make_unique<mixer::Voice>();
    voice->Reset({mixer::kUnityRate, static_cast<std::int32_t>(kVolume * mixer::kUnityVolume),
                  static_cast<std::int32_t>(PanOf(i) * mixer::kUnityVolume), 0});
    voice->status = mixer::kLooping;
    mixer::RetainSample(sample);
    voice->sample = sample;
    voice->startTime = mixer::SystemMilliseconds();
    mix.Enqueue(voice.get());
    owned.push_back(std::move(voice));
  }
  for (auto _ : state) {
    std::unique_ptr<mixer::SdlOutput> output = mixer::OpenSdlOutput(mix);
    if (!output) {
      state.SkipWithError(SDL_GetError());
      break;
    }
    Listen(state, counter);
  }
  mix.Drain();
  mixer::ReleaseSample(sample);
}
BENCHMARK(CorvaxMixer)->Arg(256)->Arg(1024)->Arg(2048)->Arg(4095)->Iterations(1)->UseRealTime();

void SdlMixer(benchmark::State& state) {
  SetDummyDriver();
  const int voices = static_cast<int>(state.range(0));
  std::vector<std::int16_t> tone = StereoTone();
  if (SDL_Init(SDL_INIT_AUDIO) != 0 ||
      Mix_OpenAudio(mixer::kOutputRate, AUDIO_S16SYS, mixer::kOutputChannels, kFragmentFrames) !=
          0) {
    state.SkipWithError(SDL_GetError());
    return;
  }
  Mix_Chunk* chunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(tone.data()),
                                       static_cast<Uint32>(tone.size() * sizeof(std::int16_t)));
  FragmentCounter counter;
  Mix_SetPostMix([](void* counter, Uint8*, int) { static_cast<FragmentCounter*>(counter)->Tick(); },
                 &counter);
  for (auto _ : state) {
    Mix_AllocateChannels(voices);
    for (int i = 0; i < voices; ++i) {
      Mix_Volume(i, static_cast<int>(kVolume * MIX_MAX_VOLUME));
      // The far side loses what the pan takes, as in Corvax.
      const double pan = PanOf(i);
      Mix_SetPanning(i, static_cast<Uint8>(255 * std::min(1.0, 1.0 - pan)),
                     static_cast<Uint8>(255 * std::min(1.0, 1.0 + pan)));
      Mix_PlayChannel(i, chunk, -1);
    }
    Listen(state, counter);
    Mix_HaltChannel(-1);
  }
  Mix_SetPostMix(nullptr, nullptr);
  Mix_FreeChunk(chunk);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
BENCHMARK(SdlMixer)->Arg(256)->Arg(1024)->Arg(2048)->Arg(4095)->Iterations(1)->UseRealTime();

}  // namespace
