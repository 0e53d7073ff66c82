#pragma once
// Feeds fuzzer input to one sample loader and reads every byte of the sample it returns.
#include <cstddef>
#include <cstdint>

#include <corvax/audio/sample_loaders.h>
#include <corvax/runtime/exceptions.h>
#include <corvax/stream/ram_stream.h>

namespace corvax::fuzzing {

// Where the sample reads go, so they are not optimised away.
inline volatile unsigned sample_sink = 0;

template <class Loader>
int RunSampleLoader(const std::uint8_t* data, std::size_t size) {
  static const Ref<TAudioSampleLoader> loader = New<Loader>();
  Ref<TStream> stream =
      CreateRamStream(const_cast<std::uint8_t*>(data), static_cast<int>(size), true, false);
  Ref<TAudioSample> sample;
  try {
    sample = loader->ReadSample(stream);
  } catch (const TException&) {
    return 0;  // a clear refusal; anything else escaping is a finding
  }
  if (!sample) return 0;
  // The loader contract: a known format and every frame within the memory.
  const int frameBytes = BytesPerFrame(sample->format);
  if (frameBytes == 0 || sample->length < 0) __builtin_trap();
  unsigned sum = 0;
  const std::size_t bytes = static_cast<std::size_t>(sample->length) * frameBytes;
  for (std::size_t i = 0; i < bytes; ++i) sum += sample->samples[i];
  sample_sink = sum;
  return 0;
}

}  // namespace corvax::fuzzing
