#include <corvax/audio/audio_driver.h>
#include <corvax/audio/sample_loaders.h>
#include <corvax/runtime/start_once.h>

#include <cstdint>

#include <corvax/stream/data_input.h>
#include <corvax/stream/xendian_stream.h>

namespace corvax {
namespace {

int FormatFor(int bits, int channels) {
  if (bits == 8) return channels == 1 ? Mono8 : channels == 2 ? Stereo8 : 0;
  if (bits == 16) return channels == 1 ? Mono16LE : channels == 2 ? Stereo16LE : 0;
  return 0;
}

std::uint32_t ReadField(const Ref<TStream>& stream, int size) {
  unsigned char bytes[4] = {};
  ReadStoredBytes(*stream, bytes, size);
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
         (static_cast<std::uint32_t>(bytes[3]) << 24);
}

std::uint32_t ReadSize(const Ref<TStream>& stream) {
  return ReadField(stream, 4);
}

// Whether count more bytes lie ahead; a stream that cannot tell is trusted.
bool Holds(const Ref<TStream>& stream, std::uint32_t count) {
  const int position = stream->Position();
  if (position < 0) return true;
  return count <= static_cast<std::uint32_t>(stream->Length() - position);
}

// Chunks are padded to an even size.
bool SkipChunk(const Ref<TStream>& stream, std::uint32_t size) {
  const std::uint32_t padded = size + (size & 1);
  if (!Holds(stream, size)) return false;
  stream->SkipForward(static_cast<int>(std::min<std::uint32_t>(padded, 0x7FFFFFFF)));
  return true;
}

}  // namespace

String ReadChunkTag(const Ref<TStream>& stream) {
  unsigned char tag[4] = {};
  stream->ReadBlock(tag, 4);
  return String(tag, tag + 4);
}

Ref<TAudioSample> TAudioSampleLoaderWAV::ReadSample(const Ref<TStream>& source) {
  const Ref<TStream> stream = LittleEndianStream(source);
  if (ReadChunkTag(stream) != u"RIFF") return nullptr;
  ReadSize(stream);
  if (ReadChunkTag(stream) != u"WAVE" || ReadChunkTag(stream) != u"fmt ") return nullptr;
  const std::uint32_t fmtSize = ReadSize(stream);
  if (fmtSize < 16) return nullptr;
  if (ReadField(stream, 2) != 1) return nullptr;
  const int channels = static_cast<int>(ReadField(stream, 2));
  const std::uint32_t hertz = ReadField(stream, 4);
  ReadField(stream, 4);  // byte rate
  ReadField(stream, 2);  // block align
  const int bits = static_cast<int>(ReadField(stream, 2));
  const int format = FormatFor(bits, channels);
  if (format == 0 || hertz == 0 || hertz > 0x7FFFFFFF) return nullptr;
  if (fmtSize > 16 && !SkipChunk(stream, fmtSize - 16)) return nullptr;

  while (!stream->AtEnd()) {
    const String tag = ReadChunkTag(stream);
    const std::uint32_t size = ReadSize(stream);
    if (tag != u"data") {
      if (!SkipChunk(stream, size)) return nullptr;
      continue;
    }
    if (!Holds(stream, size) || size > 0x40000000) return nullptr;
    const int frameBytes = BytesPerFrame(format);
    Ref<TAudioSample> sample =
        MakeAudioSample(static_cast<int>(size / static_cast<std::uint32_t>(frameBytes)),
                        static_cast<int>(hertz), format);
    ReadStoredBytes(*stream, sample->samples, sample->length * frameBytes);
    return sample;
  }
  return nullptr;
}

void StartupWavLoaderModule() {
  static bool started = false;
  if (!StartOnce(started)) return;
  StartupAudioCoreModule();
  New<TAudioSampleLoaderWAV>();
}

}  // namespace corvax
