// Mixing throughput (voices x frames per second) beside a plain int16 add loop, and Vorbis
// decoding through the sample loader beside raw vorbisfile calls on the same bytes.
#include <benchmark/benchmark.h>

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include <corvax/audio/audio_module.h>
#include <corvax/stream/open_url.h>
#include <corvax/stream/ram_stream.h>
#include "mixer.h"

namespace {

using namespace corvax;

constexpr int kSampleFrames = 44100;

std::vector<std::int16_t> ToneValues(int count) {
  std::vector<std::int16_t> values(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    values[i] = static_cast<std::int16_t>(8000 * std::sin(i * 0.0627));
  return values;
}

// Voices of a looping mono 16-bit sample at 44100 Hz, volume 0.8 and a little pan, so the
// mixer takes its general path.
void MixVoices(benchmark::State& state) {
  const int voices = static_cast<int>(state.range(0));
  const std::vector<std::int16_t> values = ToneValues(kSampleFrames);
  mixer::Sample* sample = mixer::CreateSample(kSampleFrames, 16, 1, 44100, values.data(), true);
  mixer::Mixer mix(mixer::kFragmentSamples, [] { return 1000u; });
  std::vector<std::unique_ptr<mixer::Voice>> owned;
  for (int i = 0; i < voices; ++i) {
    auto voice = std::make_unique<mixer::Voice>();
    voice->Reset({mixer::kUnityRate, 3276, 1000 * (i % 3) - 1000, 0});
    voice->status = mixer::kLooping;
    mixer::RetainSample(sample);
    voice->sample = sample;
    mix.Enqueue(voice.get());
    owned.push_back(std::move(voice));
  }
  std::vector<std::int16_t> out(mixer::kFragmentSamples);
  for (auto _ : state) {
    mix.MixFragment(out.data());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * voices * mixer::kFragmentSamples / 2);
  mix.Drain();
  mixer::ReleaseSample(sample);
}
BENCHMARK(MixVoices)->Arg(1)->Arg(16)->Arg(64);

// Baseline: the same voices as plain stereo int16 buffers added with saturation.
void PlainInt16Add(benchmark::State& state) {
  const int voices = static_cast<int>(state.range(0));
  const int samples = mixer::kFragmentSamples;
  std::vector<std::vector<std::int16_t>> inputs(static_cast<std::size_t>(voices),
                                                ToneValues(samples));
  std::vector<std::int32_t> accumulator(static_cast<std::size_t>(samples));
  std::vector<std::int16_t> out(static_cast<std::size_t>(samples));
  for (auto _ : state) {
    for (const auto& input : inputs) {
      for (int i = 0; i < samples; ++i) accumulator[i] += input[i];
    }
    for (int i = 0; i < samples; ++i) {
      out[i] = static_cast<std::int16_t>(std::clamp(accumulator[i], -32768, 32767));
      accumulator[i] = 0;
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * voices * samples / 2);
}
BENCHMARK(PlainInt16Add)->Arg(1)->Arg(16)->Arg(64);

const std::vector<std::uint8_t>& OggBytes() {
  static const std::vector<std::uint8_t> bytes = [] {
    StartupOggLoaderModule();
    Ref<TAudioSample> tone = MakeAudioSample(kSampleFrames, 44100, Stereo16LE);
    const std::vector<std::int16_t> values = ToneValues(2 * kSampleFrames);
    std::memcpy(tone->samples, values.data(), values.size() * 2);
    const std::string path =
        (std::filesystem::temp_directory_path() / "corvax-audio-bench.ogg").string();
    WriteOggVorbis(tone, path, 0.4f);
    std::vector<std::uint8_t> data = LoadBytes(path);
    std::filesystem::remove(path);
    return data;
  }();
  return bytes;
}

void VorbisDecodeLoader(benchmark::State& state) {
  std::vector<std::uint8_t> bytes = OggBytes();
  const Ref<TAudioSampleLoaderOGG> loader = New<TAudioSampleLoaderOGG>();
  for (auto _ : state) {
    const Ref<TRamStream> stream =
        CreateRamStream(bytes.data(), static_cast<int>(bytes.size()), true, false);
    benchmark::DoNotOptimize(loader->ReadSample(stream).get());
  }
  state.SetItemsProcessed(state.iterations() * kSampleFrames);
}
BENCHMARK(VorbisDecodeLoader)->Unit(benchmark::kMillisecond);

struct Memory {
  const std::vector<std::uint8_t>* bytes;
  std::size_t position = 0;
};

void VorbisDecodeRaw(benchmark::State& state) {
  const std::vector<std::uint8_t>& bytes = OggBytes();
  ov_callbacks callbacks{};
  callbacks.read_func = [](void* out, std::size_t size, std::size_t count, void* source) {
    auto* memory = static_cast<Memory*>(source);
    const std::size_t n = std::min(size * count, memory->bytes->size() - memory->position);
    std::memcpy(out, memory->bytes->data() + memory->position, n);
    memory->position += n;
    return n / size;
  };
  std::vector<char> pcm(static_cast<std::size_t>(kSampleFrames) * 4);
  for (auto _ : state) {
    Memory memory{&bytes};
    OggVorbis_File file;
    ov_open_callbacks(&memory, &file, nullptr, 0, callbacks);
    std::size_t done = 0;
    int section = 0;
    while (done < pcm.size()) {
      const long got =
          ov_read(&file, pcm.data() + done, static_cast<int>(pcm.size() - done), 0, 2, 1, &section);
      if (got <= 0) break;
      done += static_cast<std::size_t>(got);
    }
    ov_clear(&file);
    benchmark::DoNotOptimize(pcm.data());
  }
  state.SetItemsProcessed(state.iterations() * kSampleFrames);
}
BENCHMARK(VorbisDecodeRaw)->Unit(benchmark::kMillisecond);

}  // namespace
