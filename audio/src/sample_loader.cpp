#include <corvax/audio/audio_sample.h>

#include <corvax/stream/loader_chain.h>

namespace corvax {

TAudioSampleLoader::TAudioSampleLoader() {
  RegistrationChain<TAudioSampleLoader>::Global().PushFront(*this);
}

Ref<TAudioSampleLoader> TAudioSampleLoader::FirstLoader() {
  return RegistrationChain<TAudioSampleLoader>::Global().First();
}

Ref<TAudioSample> ReadAudioSample(const Url& url) {
  return LoadThroughChain<TAudioSampleLoader>(url, UnseekableStream::kThrows,
                                              &TAudioSampleLoader::ReadSample);
}

}  // namespace corvax
