#include <corvax/audio/audio_sample.h>

#include <cstring>
#include <memory>
#include <new>

#include <corvax/runtime/exceptions.h>

namespace corvax {

Ref<TAudioSample> TAudioSample::Copy() {
  Ref<TAudioSample> copy = MakeAudioSample(length, hertz, format);
  std::memcpy(copy->samples, samples, static_cast<std::size_t>(copy->capacity));
  return copy;
}

Ref<TAudioSample> TAudioSample::Convert(int toFormat) {
  if (BytesPerFrame(format) == 0 || BytesPerFrame(toFormat) == 0) {
    ThrowRuntimeError(u"Unimplemented sample format conversion");
  }
  Ref<TAudioSample> converted = MakeAudioSample(length, hertz, toFormat);
  ConvertSamples(samples, format, converted->samples, toFormat, length);
  return converted;
}

Ref<TAudioSample> TAudioSample::MakeAudioSample(int length, int hertz, int format) {
  const int frameBytes = BytesPerFrame(format);
  if (frameBytes == 0) ThrowRuntimeError(u"Unknown sample format");
  if (length < 0 || length > (1 << 30) / frameBytes) ThrowRuntimeError(u"Invalid sample length");
  Ref<TAudioSample> sample = New<TAudioSample>();
  sample->capacity = length * frameBytes;
  // One spare byte so that an empty sample still has a valid, owned buffer; left uninitialised
  // (as make_unique_for_overwrite would, which libc++ 13, the browser build's, lacks).
  sample->owned_ = std::unique_ptr<std::uint8_t[]>(
      new std::uint8_t[static_cast<std::size_t>(sample->capacity) + 1]);
  sample->samples = sample->owned_.get();
  sample->length = length;
  sample->hertz = hertz;
  sample->format = format;
  return sample;
}

Ref<TAudioSample> TAudioSample::WrapAudioSample(void* samples, int length, int hertz, int format) {
  Ref<TAudioSample> sample = New<TAudioSample>();
  sample->samples = static_cast<std::uint8_t*>(samples);
  sample->length = length;
  sample->hertz = hertz;
  sample->format = format;
  sample->capacity = -1;
  return sample;
}

Ref<TAudioSample> MakeAudioSample(int length, int hertz, int format) {
  return TAudioSample::MakeAudioSample(length, hertz, format);
}

Ref<TAudioSample> WrapAudioSample(void* samples, int length, int hertz, int format) {
  return TAudioSample::WrapAudioSample(samples, length, hertz, format);
}

}  // namespace corvax
