#include <corvax/audio/audio_driver.h>
#include <corvax/audio/sample_loaders.h>
#include <corvax/runtime/start_once.h>

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <vector>

namespace corvax {
namespace {

// The decoder calls back through C: nothing may be thrown across it, so stream faults become
// the failure results the decoder understands.
std::size_t ReadCallback(void* buffer, std::size_t size, std::size_t count, void* source) {
  if (size == 0) return 0;
  const std::size_t wanted = std::min<std::size_t>(size * count, INT_MAX);
  try {
    const int got = static_cast<TStream*>(source)->Read(buffer, static_cast<int>(wanted));
    return got > 0 ? static_cast<std::size_t>(got) / size : 0;
  } catch (...) {
    errno = EIO;
    return 0;
  }
}

int SeekCallback(void* source, ogg_int64_t offset, int whence) {
  auto* stream = static_cast<TStream*>(source);
  try {
    ogg_int64_t target;
    switch (whence) {
      case SEEK_SET:
        target = offset;
        break;
      case SEEK_CUR:
        target = stream->Position() + offset;
        break;
      case SEEK_END:
        target = stream->Length() + offset;
        break;
      default:
        return -1;
    }
    if (target < 0 || target > INT_MAX) return -1;
    return stream->SeekTo(static_cast<int>(target)) < 0 ? -1 : 0;
  } catch (...) {
    return -1;
  }
}

int CloseCallback(void*) {
  return 0;
}

long TellCallback(void* source) {
  try {
    return static_cast<TStream*>(source)->Position();
  } catch (...) {
    return -1;
  }
}

constexpr ov_callbacks kCallbacks = {ReadCallback, SeekCallback, CloseCallback, TellCallback};

// Bytes of decoded PCM we accept from one file; a lying length must not exhaust memory.
constexpr ogg_int64_t kMaxDecodedBytes = 1 << 30;
constexpr std::size_t kInitialReserve = 1 << 24;
constexpr std::size_t kReadChunk = 1 << 16;

class Decoder {
 public:
  explicit Decoder(TStream* stream)
      : open_(ov_open_callbacks(stream, &file_, nullptr, 0, kCallbacks) == 0) {}
  ~Decoder() {
    if (open_) ov_clear(&file_);
  }
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;
  bool IsOpen() const { return open_; }
  OggVorbis_File* File() { return &file_; }

 private:
  OggVorbis_File file_{};
  bool open_;
};

}  // namespace

Ref<TAudioSample> TAudioSampleLoaderOGG::ReadSample(const Ref<TStream>& stream) {
  Decoder decoder(stream.get());
  if (!decoder.IsOpen()) return nullptr;
  const ogg_int64_t frames = ov_pcm_total(decoder.File(), -1);
  const vorbis_info* info = ov_info(decoder.File(), -1);
  if (frames < 0 || !info || info->channels < 1 || info->channels > 2) return nullptr;
  if (info->rate < 1 || info->rate > INT_MAX) return nullptr;
  const int channels = info->channels;
  if (frames * 2 * channels > kMaxDecodedBytes) return nullptr;
  // The stated length comes from the last page and may lie: memory grows only with what
  // actually decodes, and a file that ends early is refused.
  const std::size_t total = static_cast<std::size_t>(frames) * 2 * channels;
  std::vector<char> pcm;
  pcm.reserve(std::min<std::size_t>(total, kInitialReserve));
  while (pcm.size() < total) {
    const std::size_t before = pcm.size();
    const std::size_t chunk = std::min<std::size_t>(total - before, kReadChunk);
    pcm.resize(before + chunk);
    int section = 0;
    const long got =
        ov_read(decoder.File(), pcm.data() + before, static_cast<int>(chunk), 0, 2, 1, &section);
    if (got <= 0) return nullptr;
    pcm.resize(before + static_cast<std::size_t>(got));
  }
  Ref<TAudioSample> sample = MakeAudioSample(static_cast<int>(frames), static_cast<int>(info->rate),
                                             channels == 1 ? Mono16LE : Stereo16LE);
  if (total != 0) std::memcpy(sample->samples, pcm.data(), total);
  return sample;
}

void StartupOggLoaderModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupAudioCoreModule();
  New<TAudioSampleLoaderOGG>();
}

}  // namespace corvax
