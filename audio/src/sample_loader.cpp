#include <corvax/audio/audio_sample.h>

#include <corvax/runtime/exceptions.h>
#include <corvax/stream/open_url.h>
#include <corvax/stream/stream_close_guard.h>

namespace corvax {
namespace {

Ref<TAudioSampleLoader>& ChainHead() {
  // Never destroyed: exit actions may still use it (see exit_actions.h).
  static auto* const head = new Ref<TAudioSampleLoader>();
  return *head;
}

Ref<TAudioSample> RunChain(const Ref<TStream>& stream, int start) {
  for (Ref<TAudioSampleLoader> loader = ChainHead(); loader; loader = loader->NextLoader()) {
    stream->SeekTo(start);
    try {
      if (Ref<TAudioSample> sample = loader->ReadSample(stream)) return sample;
    } catch (const TStreamException&) {
      // Data this loader could not read is a refusal; the next loader starts afresh.
    }
  }
  return nullptr;
}

}  // namespace

TAudioSampleLoader::TAudioSampleLoader() {
  next_ = ChainHead();
  ChainHead() = Ref<TAudioSampleLoader>(this);
}

Ref<TAudioSampleLoader> TAudioSampleLoader::FirstLoader() {
  return ChainHead();
}

Ref<TAudioSample> ReadAudioSample(const Url& url) {
  const Ref<TStream> stream = OpenReadStream(url);
  if (!stream) return nullptr;
  StreamCloseGuard guard(stream);
  const int start = stream->Position();
  if (start == -1) ThrowRuntimeError(u"Stream is not seekable");
  const Ref<TAudioSample> sample = RunChain(stream, start);
  guard.Close();
  return sample;
}

}  // namespace corvax
