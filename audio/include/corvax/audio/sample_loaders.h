#pragma once
/// @file
/// @ingroup audio
/// Sample loaders for RIFF WAVE files with integer PCM and for Ogg Vorbis, and a Vorbis encoder.
#include <corvax/audio/audio_sample.h>
#include <corvax/stream/url.h>

namespace corvax {

/// Reads RIFF WAVE files with integer PCM.
class TAudioSampleLoaderWAV : public TAudioSampleLoader {
 public:
  /// 8- or 16-bit PCM, mono or stereo; Null for anything else or a chunk that claims more bytes
  /// than the stream holds.
  Ref<TAudioSample> ReadSample(const Ref<TStream>& stream) override;
};

/// Reads Ogg Vorbis files through libvorbisfile.
class TAudioSampleLoaderOGG : public TAudioSampleLoader {
 public:
  /// The whole file decoded to Mono16LE or Stereo16LE; Null for data that is not Ogg Vorbis,
  /// fails to decode, ends before its stated length or has more than two channels.
  Ref<TAudioSample> ReadSample(const Ref<TStream>& stream) override;
};

/// Four bytes read with ReadBlock, one character each.
String ReadChunkTag(const Ref<TStream>& stream);

/// Encodes the sample as variable-bit-rate Ogg Vorbis of the given quality (-0.1 to 1).
/// 0 on success; -1 when the url cannot be opened for writing, the format is unknown or the
/// encoder refuses the parameters.
int WriteOggVorbis(const Ref<TAudioSample>& sample, const Url& url, float quality);

/// Each makes its loader once; the WAV loader, started last, is asked first.
///@{
void StartupOggLoaderModule();
void StartupWavLoaderModule();
///@}

}  // namespace corvax
